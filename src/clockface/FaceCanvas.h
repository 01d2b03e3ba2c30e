#pragma once

#include <QImage>
#include <QSize>

#include <memory>

namespace clockface {

// The bitmap faces are painted on before they go to the screen in one copy. It only grows: a
// face smaller than the largest one so far paints into its top-left corner, so steady repaints
// allocate nothing.
class FaceCanvas final
{
public:
    // The bitmap, made at least `size` (its old content is not kept when it grows).
    QImage& reserve(QSize size);
    QSize size() const { return m_image.size(); }

    // The one canvas every face paints on: made with the first face, freed with the last.
    static std::shared_ptr<FaceCanvas> shared();

private:
    QImage m_image;
};

} // namespace clockface
