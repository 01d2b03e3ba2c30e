#include "picture/WmfDecoder.h"

#include "picture/MetafileCost.h"
#include "picture/PictureLimits.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

namespace picture {

namespace {

// Pictures past this many pixels a side are not clock faces; refuse them rather than allocate.
constexpr unsigned int kMaxSide = 8192;

// Where libwmf's drawing goes: the recorded picture, with the cost of drawing it kept count of.
// While scanning there is no painter, and nothing is drawn or counted but bitmaps.
struct Device
{
    QPainter* painter = nullptr;
    QRectF picture;
    MetafileCost cost;

    bool tooLarge() const { return cost.exceeded() != nullptr; }
    // The area of `box` as it lands on the picture.
    double area(const QRectF& box) const
    {
        const QRectF r = painter->transform().mapRect(box.normalized()) & picture;
        return r.isValid() ? r.width() * r.height() : 0.0;
    }
    // Each counts the cost of one drawing; false (and nothing to be drawn) once past the bound.
    bool chargeFill(const QRectF& box) { return cost.chargeFill(area(box)); }
    bool chargeStroke(const QPolygonF& line, const QPen& pen)
    {
        if (pen.style() == Qt::NoPen || line.isEmpty())
            return !tooLarge();
        const QTransform& t = painter->transform();
        double length = 0;
        for (qsizetype i = 1; i < line.size(); ++i)
            length += QLineF(t.map(line[i - 1]), t.map(line[i])).length();
        return cost.chargeStroke(length, pen.widthF() * std::sqrt(std::abs(t.determinant())), line.size());
    }
};

Device* drawingDevice(wmfAPI* api)
{
    auto* device = static_cast<Device*>(api->device_data);
    return device && device->painter && !device->tooLarge() ? device : nullptr;
}

// The records a metafile is made of, counted before libwmf sees any of them.
namespace record {
constexpr quint16 Eof = 0x0000;
constexpr quint16 SaveDC = 0x001E;
constexpr quint16 RestoreDC = 0x0127;
constexpr quint16 Polygon = 0x0324;
constexpr quint16 Polyline = 0x0325;
constexpr quint16 PolyPolygon = 0x0538;
constexpr quint16 TextOut = 0x0521;
constexpr quint16 ExtTextOut = 0x0A32;
} // namespace record

class LittleEndian
{
public:
    explicit LittleEndian(const QByteArray& data) : m_p(reinterpret_cast<const uchar*>(data.constData())) {}
    quint16 u16(qint64 at) const { return quint16(m_p[at] | m_p[at + 1] << 8); }
    quint32 u32(qint64 at) const { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; }

private:
    const uchar* m_p;
};

// Where the metafile's own header starts: after the placeable header, when there is one.
qint64 headerStart(const QByteArray& data)
{
    return data.size() >= 4 && LittleEndian(data).u32(0) == 0x9AC6CDD7u ? 22 : 0;
}

// libwmf makes room for the largest record the header declares before it reads any, so a few
// bytes could ask for gigabytes. No record is longer than the file.
void boundLargestRecord(QByteArray& bytes)
{
    const qint64 at = headerStart(bytes) + 12;
    if (at + 4 > bytes.size())
        return;
    const auto most = quint32(bytes.size() / 2);
    if (LittleEndian(bytes).u32(at) > most)
        qToLittleEndian(most, bytes.data() + at);
}

// Nothing when the metafile's records are within the bounds, else why not. Damage is left to
// libwmf to find: a record that runs past the end simply ends the count.
const char* exceedsBounds(const QByteArray& data)
{
    if (data.size() > MetafileCost::MaxBytes)
        return "the metafile is too large";
    const LittleEndian in(data);
    const qint64 size = data.size();
    qint64 at = headerStart(data);
    if (at + 18 > size)
        return nullptr;
    at += qint64(std::max<quint16>(9, in.u16(at + 2))) * 2;
    MetafileCost cost;
    while (at + 6 <= size && !cost.exceeded()) {
        const qint64 words = in.u32(at);
        const quint16 function = in.u16(at + 4);
        if (function == record::Eof || words < 3)
            break;
        const qint64 params = at + 6;
        const qint64 paramsEnd = std::min(size, at + words * 2);
        const auto param = [&](qint64 i) -> qint64 {
            return params + 2 * i + 2 <= paramsEnd ? in.u16(params + 2 * i) : 0;
        };
        if (!cost.countRecord())
            break;
        switch (function) {
        case record::SaveDC:
            cost.saveState();
            break;
        case record::RestoreDC:
            cost.restoreState(qint16(param(0)));
            break;
        case record::Polygon:
        case record::Polyline:
            cost.countPoints(param(0));
            break;
        case record::PolyPolygon:
            for (qint64 i = 0, polygons = param(0); i < polygons && params + 2 * (i + 2) <= paramsEnd; ++i)
                cost.countPoints(param(1 + i));
            break;
        case record::TextOut:
            cost.countLetters(param(0));
            break;
        case record::ExtTextOut:
            cost.countLetters(param(2));
            break;
        default:
            break;
        }
        at += words * 2;
    }
    return cost.exceeded();
}

QPointF toPoint(const wmfD_Coord& c)
{
    return {c.x, c.y};
}

QColor toColor(const wmfRGB* rgb)
{
    return QColor(rgb->r, rgb->g, rgb->b);
}

QPen penOf(wmfDC* dc)
{
    const wmfPen* pen = WMF_DC_PEN(dc);
    if (!pen)
        return QPen(Qt::black);
    QPen qpen(toColor(WMF_PEN_COLOR(pen)));
    switch (WMF_PEN_STYLE(pen)) {
    case PS_NULL:
        return QPen(Qt::NoPen);
    case PS_DASH:
        qpen.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        qpen.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        qpen.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        qpen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    qpen.setWidthF(std::max(0.0, WMF_PEN_WIDTH(pen)));
    switch (WMF_PEN_ENDCAP(pen)) {
    case PS_ENDCAP_SQUARE:
        qpen.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        qpen.setCapStyle(Qt::FlatCap);
        break;
    default:
        qpen.setCapStyle(Qt::RoundCap);
    }
    switch (WMF_PEN_JOIN(pen)) {
    case PS_JOIN_BEVEL:
        qpen.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        qpen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    return qpen;
}

QBrush brushOf(wmfDC* dc)
{
    const wmfBrush* brush = WMF_DC_BRUSH(dc);
    if (!brush)
        return Qt::NoBrush;
    const QColor color = toColor(WMF_BRUSH_COLOR(brush));
    switch (WMF_BRUSH_STYLE(brush)) {
    case BS_NULL:
        return Qt::NoBrush;
    case BS_HATCHED: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        const unsigned hatch = WMF_BRUSH_HATCH(brush);
        return QBrush(color, hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    }
    default:
        return QBrush(color);
    }
}

Qt::FillRule fillRuleOf(wmfDC* dc)
{
    return WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

void preparePainter(QPainter* p, wmfDC* dc, bool fill)
{
    p->setPen(penOf(dc));
    p->setBrush(fill ? brushOf(dc) : QBrush(Qt::NoBrush));
}

void noop(wmfAPI*) {}
void noopFlood(wmfAPI*, wmfFlood_t*) {}
void noopUserData(wmfAPI*, wmfUserData_t*) {}
void noopRegion(wmfAPI*, wmfPolyRectangle_t*) {}
void noopRop(wmfAPI*, wmfROP_Draw_t*) {}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* d)
{
    Device* device = drawingDevice(api);
    const QRectF pixel(toPoint(d->pt), QSizeF(d->pixel_width, d->pixel_height));
    if (device && device->chargeFill(pixel))
        device->painter->fillRect(pixel, toColor(&d->color));
}

enum class ArcKind
{
    Open,
    Pie,
    Chord,
    Ellipse
};

void drawArcKind(wmfAPI* api, wmfDrawArc_t* d, ArcKind kind)
{
    Device* device = drawingDevice(api);
    const QRectF box(toPoint(d->TL), toPoint(d->BR));
    if (!device || !device->chargeFill(box))
        return;
    QPainter* p = device->painter;
    preparePainter(p, d->dc, kind != ArcKind::Open);
    if (kind == ArcKind::Ellipse) {
        p->drawEllipse(box);
        return;
    }
    // Start and end come relative to the centre, in device space (y down).
    double startDeg = std::atan2(d->start.y, d->start.x) * 180.0 / std::numbers::pi;
    double endDeg = std::atan2(d->end.y, d->end.x) * 180.0 / std::numbers::pi;
    if (endDeg <= startDeg)
        endDeg += 360.0;
    QPainterPath path;
    const QPointF centre = box.center();
    if (kind == ArcKind::Pie)
        path.moveTo(centre);
    else
        path.arcMoveTo(box, -startDeg);
    path.arcTo(box, -startDeg, -(endDeg - startDeg));
    if (kind != ArcKind::Open)
        path.closeSubpath();
    p->drawPath(path);
}

void drawArc(wmfAPI* api, wmfDrawArc_t* d)
{
    drawArcKind(api, d, ArcKind::Open);
}
void drawPie(wmfAPI* api, wmfDrawArc_t* d)
{
    drawArcKind(api, d, ArcKind::Pie);
}
void drawChord(wmfAPI* api, wmfDrawArc_t* d)
{
    drawArcKind(api, d, ArcKind::Chord);
}
void drawEllipse(wmfAPI* api, wmfDrawArc_t* d)
{
    drawArcKind(api, d, ArcKind::Ellipse);
}

void drawLine(wmfAPI* api, wmfDrawLine_t* d)
{
    Device* device = drawingDevice(api);
    if (!device)
        return;
    const QPen pen = penOf(d->dc);
    if (device->chargeStroke(QPolygonF{toPoint(d->from), toPoint(d->to)}, pen)) {
        device->painter->setPen(pen);
        device->painter->drawLine(toPoint(d->from), toPoint(d->to));
    }
}

QPolygonF polygonOf(const wmfD_Coord* pts, unsigned count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (unsigned i = 0; i < count; ++i)
        poly << toPoint(pts[i]);
    return poly;
}

void polyLine(wmfAPI* api, wmfPolyLine_t* d)
{
    Device* device = drawingDevice(api);
    if (!device || !d->pt)
        return;
    const QPolygonF line = polygonOf(d->pt, d->count);
    const QPen pen = penOf(d->dc);
    if (device->chargeStroke(line, pen)) {
        device->painter->setPen(pen);
        device->painter->drawPolyline(line);
    }
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* d)
{
    Device* device = drawingDevice(api);
    if (!device || !d->pt)
        return;
    const QPolygonF polygon = polygonOf(d->pt, d->count);
    if (device->chargeFill(polygon.boundingRect()) && device->chargeStroke(polygon, penOf(d->dc))) {
        preparePainter(device->painter, d->dc, true);
        device->painter->drawPolygon(polygon, fillRuleOf(d->dc));
    }
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* d)
{
    Device* device = drawingDevice(api);
    if (!device || !d->pt || !d->count)
        return;
    QPainterPath path;
    path.setFillRule(fillRuleOf(d->dc));
    const QPen pen = penOf(d->dc);
    for (unsigned i = 0; i < d->npoly; ++i)
        if (d->pt[i]) {
            const QPolygonF polygon = polygonOf(d->pt[i], d->count[i]);
            if (!device->chargeStroke(polygon, pen))
                return;
            path.addPolygon(polygon);
            path.closeSubpath();
        }
    if (!device->chargeFill(path.boundingRect()))
        return;
    preparePainter(device->painter, d->dc, true);
    device->painter->drawPath(path);
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* d)
{
    Device* device = drawingDevice(api);
    const QRectF box(toPoint(d->TL), toPoint(d->BR));
    if (!device || !device->chargeFill(box))
        return;
    preparePainter(device->painter, d->dc, true);
    if (d->width > 0 && d->height > 0)
        device->painter->drawRoundedRect(box, d->width / 2, d->height / 2);
    else
        device->painter->drawRect(box);
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* d)
{
    Device* device = drawingDevice(api);
    if (!device || !d->TL || !d->BR)
        return;
    for (unsigned i = 0; i < d->count; ++i) {
        const QRectF box(toPoint(d->TL[i]), toPoint(d->BR[i]));
        if (!device->chargeFill(box))
            return;
        device->painter->fillRect(box, brushOf(d->dc));
    }
}

// Bitmaps inside a metafile are device-independent bitmaps without their file header; giving them
// one lets the ordinary BMP reader decode them.
void bmpRead(wmfAPI* api, wmfBMP_Read_t* r)
{
    r->bmp.data = nullptr;
    r->bmp.width = 0;
    r->bmp.height = 0;
    if (!r->buffer || r->length < 16)
        return;
    const auto* b = r->buffer;
    const auto u32 = [b](int at) {
        return quint32(b[at]) | quint32(b[at + 1]) << 8 | quint32(b[at + 2]) << 16 | quint32(b[at + 3]) << 24;
    };
    const quint32 headerSize = u32(0);
    if (headerSize < 12 || headerSize > quint32(r->length))
        return;
    quint32 paletteBytes = 0;
    if (headerSize >= 40 && r->length >= 40) {
        const unsigned bits = b[14] | b[15] << 8;
        const quint32 compression = u32(16);
        quint32 colours = u32(32);
        if (colours == 0 && bits <= 8)
            colours = 1u << bits;
        paletteBytes = std::min<quint32>(colours, 256) * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
    } else if (headerSize == 12) {
        const unsigned bits = b[10] | b[11] << 8;
        paletteBytes = bits <= 8 ? (1u << bits) * 3 : 0;
    }
    // Bitmaps together are held to a budget, counted from their headers before any is decoded.
    qint64 pixels = 0;
    if (headerSize >= 40 && r->length >= 12)
        pixels = qint64(qint32(u32(4))) * std::abs(qint64(qint32(u32(8))));
    else if (headerSize == 12)
        pixels = qint64(b[4] | b[5] << 8) * (b[6] | b[7] << 8);
    auto* device = static_cast<Device*>(api->device_data);
    if (!device || !device->cost.countBitmap(pixels))
        return;
    const quint32 fileSize = 14 + quint32(r->length);
    const quint32 offBits = 14 + headerSize + paletteBytes;
    QByteArray file;
    file.reserve(int(fileSize));
    file.append("BM", 2);
    for (quint32 v : {fileSize, quint32(0), offBits})
        for (int k = 0; k < 4; ++k)
            file.append(char((v >> (8 * k)) & 0xFF));
    file.append(reinterpret_cast<const char*>(r->buffer), r->length);
    QImage image;
    if (!image.loadFromData(file, "BMP") || qint64(image.width()) * image.height() > MaxPicturePixels)
        return;
    r->bmp.width = static_cast<U16>(std::min(image.width(), 0xFFFF));
    r->bmp.height = static_cast<U16>(std::min(image.height(), 0xFFFF));
    r->bmp.data = new QImage(std::move(image));
}

void bmpFree(wmfAPI*, wmfBMP* bmp)
{
    delete static_cast<QImage*>(bmp->data);
    bmp->data = nullptr;
}

void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* d)
{
    Device* device = drawingDevice(api);
    const auto* image = static_cast<const QImage*>(d->bmp.data);
    if (!device || !image)
        return;
    const QRect source(d->crop.x, d->crop.y, d->crop.w, d->crop.h);
    const QRectF target(toPoint(d->pt), QSizeF(d->crop.w * d->pixel_width, d->crop.h * d->pixel_height));
    if (device->chargeFill(target))
        device->painter->drawImage(target, *image, source);
}

QFont fontOf(wmfDC* dc, double pixelHeight)
{
    QFont font;
    if (const wmfFont* f = WMF_DC_FONT(dc)) {
        if (const char* name = WMF_FONT_NAME(f))
            font.setFamily(QString::fromLatin1(name));
        font.setItalic(WMF_FONT_ITALIC(f));
        font.setUnderline(WMF_TEXT_UNDERLINE(f));
        font.setStrikeOut(WMF_TEXT_STRIKEOUT(f));
        if (WMF_FONT_WEIGHT(f) >= 600)
            font.setBold(true);
    }
    font.setPixelSize(std::max(1, int(std::lround(std::min(pixelHeight, 4096.0)))));
    return font;
}

void drawText(wmfAPI* api, wmfDrawText_t* d)
{
    Device* device = drawingDevice(api);
    if (!device || !d->str || d->font_height <= 0)
        return;
    const QString text = QString::fromLatin1(d->str);
    // A letter is at most about as wide as it is high.
    const QPointF at = toPoint(d->pt);
    const QRectF box(at.x(), at.y() - d->font_height, d->font_height * double(text.size()),
                     2 * d->font_height);
    if (!device->cost.chargeText(device->area(box), text.size()))
        return;
    QPainter* p = device->painter;
    // Fonts are drawn at a large size and scaled down so small metafile units still give text.
    constexpr double scale = 64.0;
    p->save();
    p->translate(toPoint(d->pt));
    if (const wmfFont* f = WMF_DC_FONT(d->dc))
        p->rotate(-WMF_TEXT_ANGLE(f) * 180.0 / std::numbers::pi);
    p->scale(1.0 / scale, 1.0 / scale);
    const QFont font = fontOf(d->dc, d->font_height * scale);
    p->setFont(font);
    if (WMF_DC_OPAQUE(d->dc)) {
        const QFontMetricsF metrics(font);
        p->fillRect(QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()),
                    toColor(WMF_DC_BACKGROUND(d->dc)));
    }
    p->setPen(toColor(WMF_DC_TEXTCOLOR(d->dc)));
    p->drawText(QPointF(0, 0), text);
    p->restore();
}

void mapFont(wmfAPI*, wmfFont*) {}

float stringWidth(wmfAPI*, wmfFont* font, char* str)
{
    if (!str)
        return 0;
    QFont qfont;
    if (font && font->lfFaceName)
        qfont.setFamily(QString::fromLatin1(font->lfFaceName));
    qfont.setPixelSize(100);
    return float(QFontMetricsF(qfont).horizontalAdvance(QString::fromLatin1(str)) / 100.0);
}

void installDevice(wmfAPI* api)
{
    auto* ref = static_cast<wmfFunctionReference*>(wmf_malloc(api, sizeof(wmfFunctionReference)));
    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (!ref || !fonts) {
        api->err = wmf_E_InsMem;
        return;
    }
    *ref = {};
    ref->device_open = noop;
    ref->device_close = noop;
    ref->device_begin = noop;
    ref->device_end = noop;
    ref->flood_interior = noopFlood;
    ref->flood_exterior = noopFlood;
    ref->draw_pixel = drawPixel;
    ref->draw_pie = drawPie;
    ref->draw_chord = drawChord;
    ref->draw_arc = drawArc;
    ref->draw_ellipse = drawEllipse;
    ref->draw_line = drawLine;
    ref->poly_line = polyLine;
    ref->draw_polygon = drawPolygon;
    ref->draw_polypolygon = drawPolyPolygon;
    ref->draw_rectangle = drawRectangle;
    ref->rop_draw = noopRop;
    ref->bmp_draw = bmpDraw;
    ref->bmp_read = bmpRead;
    ref->bmp_free = bmpFree;
    ref->draw_text = drawText;
    ref->udata_init = noopUserData;
    ref->udata_copy = noopUserData;
    ref->udata_set = noopUserData;
    ref->udata_free = noopUserData;
    ref->region_frame = noopRegion;
    ref->region_paint = regionPaint;
    ref->region_clip = noopRegion;
    api->function_reference = ref;
    fonts->map = mapFont;
    fonts->stringwidth = stringWidth;
    fonts->user_data = nullptr;
    api->font_data = fonts;
}

// Owns one libwmf session.
class Session final
{
public:
    Session()
    {
        wmfAPI_Options options{};
        options.function = installDevice;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR |
                                    WMF_OPT_NO_DEBUG;
        if (wmf_lite_create(&m_api, flags, &options) != wmf_E_None) {
            if (m_api)
                wmf_lite_destroy(m_api);
            m_api = nullptr;
        }
    }
    ~Session()
    {
        if (m_api)
            wmf_lite_destroy(m_api);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    wmfAPI* api() const { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

} // namespace

std::optional<Metafile> decodeWmf(const QByteArray& data, DecodeFailure* failure)
{
    const auto fail = [failure](const char* why, bool tooLarge = false) -> std::optional<Metafile> {
        if (failure)
            *failure = {tooLarge, QString::fromLatin1(why)};
        return std::nullopt;
    };
    if (const char* why = exceedsBounds(data))
        return fail(why, true);
    Session session;
    wmfAPI* api = session.api();
    if (!api)
        return fail("the metafile reader could not start");
    QByteArray bytes = data; // libwmf wants a writable buffer
    boundLargestRecord(bytes);
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(bytes.data()), long(bytes.size())) != wmf_E_None)
        return fail("the file is not a Windows metafile");
    Device scanning;
    api->device_data = &scanning;
    wmfD_Rect bbox{};
    const wmf_error_t scanned = wmf_scan(api, 0, &bbox);
    api->device_data = nullptr;
    if (const char* why = scanning.cost.exceeded()) {
        wmf_mem_close(api);
        return fail(why, true);
    }
    if (scanned != wmf_E_None) {
        wmf_mem_close(api);
        return fail("the metafile is damaged");
    }
    // A header of no units per inch, or records far out, give a box of no size or of infinite
    // size: no picture.
    const double boxWidth = double(bbox.BR.x) - bbox.TL.x;
    const double boxHeight = double(bbox.BR.y) - bbox.TL.y;
    unsigned int width = 0;
    unsigned int height = 0;
    wmf_display_size(api, &width, &height, 96, 96);
    if ((width == 0 || height == 0) && boxWidth <= kMaxSide && boxHeight <= kMaxSide) {
        width = unsigned(std::ceil(std::max(1.0, boxWidth)));
        height = unsigned(std::ceil(std::max(1.0, boxHeight)));
    }
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || !(boxWidth > 0) ||
        !(boxHeight > 0) || !std::isfinite(boxWidth) || !std::isfinite(boxHeight)) {
        wmf_mem_close(api);
        return fail("the metafile has no usable size");
    }

    Metafile result;
    result.size = QSize(int(width), int(height));
    QPainter painter(&result.picture);
    painter.setClipRect(QRect(QPoint(0, 0), result.size));
    QTransform transform;
    transform.scale(width / boxWidth, height / boxHeight);
    transform.translate(-bbox.TL.x, -bbox.TL.y);
    painter.setTransform(transform);
    Device device;
    device.painter = &painter;
    device.picture = QRectF(QPointF(0, 0), QSizeF(result.size));
    device.cost.setPictureSize(device.picture.size());
    api->device_data = &device;
    const wmf_error_t played = wmf_play(api, 0, &bbox);
    api->device_data = nullptr;
    painter.end();
    wmf_mem_close(api);
    if (const char* why = device.cost.exceeded())
        return fail(why, true);
    if (played != wmf_E_None)
        return fail("the metafile is damaged");
    return result;
}

} // namespace picture
