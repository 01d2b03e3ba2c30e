// Shows every style of the clock face side by side, running, for a look at them on a desktop;
// with "--roll FILE" it saves the ten frames of a drum's roll instead. Not part of the program.
#include "clockface/FacePainter.h"
#include "clockface/TClockFace.h"
#include "core/LocaleFormats.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QWidget>

using namespace clockface;

namespace {

TClockFace* addFace(QGridLayout* grid, int row, int column, const QString& caption, platform::Clock& clock,
                    const core::LocaleFormats& locale)
{
    auto* face = new TClockFace(clock, locale);
    face->setMinimumSize(180, 150);
    grid->addWidget(new QLabel(caption), row * 2, column);
    grid->addWidget(face, row * 2 + 1, column);
    return face;
}

// The ten frames of a drum rolling from 12:59 to 13:00, one picture, frames one under another.
int saveRoll(const QString& file, const core::LocaleFormats& locale)
{
    ClockFaceLook look;
    look.ClockStyle = csRevolvingDrum;
    look.DisplayFormat = QStringLiteral("hh:mm");
    look.Font.setPixelSize(24);
    look.Font.setBold(true);
    look.FontColor = core::clBlack;
    const QSize size(140, 40);
    QImage strip(size.width(), size.height() * DrumFrames, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int step = 1; step <= DrumFrames; ++step)
        painter.drawImage(0, (step - 1) * size.height(),
                          renderClockFace(size, look, QTime(13, 0), locale, {QStringLiteral("12:59"), step}));
    painter.end();
    return strip.save(file) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    platform::SystemClock clock;
    const core::LocaleFormats locale;
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--roll"))
        return saveRoll(QString::fromLocal8Bit(argv[2]), locale);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Clock faces"));
    auto* grid = new QGridLayout(&window);

    TClockFace* text = addFace(grid, 0, 0, QStringLiteral("Text"), clock, locale);
    QFont big = text->font();
    big.setPointSize(16);
    text->setFont(big);
    text->setFontColor(core::clNavy);
    text->setMinimumSize(230, 60);

    TClockFace* segments = addFace(grid, 0, 1, QStringLiteral("Seven segments"), clock, locale);
    QFont digits = segments->font();
    digits.setPixelSize(30);
    segments->setFont(digits);
    segments->setClockStyle(csIndicator);
    segments->setColor(core::clBlack);
    segments->setFontColor(0x40FF40);
    segments->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    segments->setMinimumSize(230, 60);

    TClockFace* drum = addFace(grid, 0, 2, QStringLiteral("Revolving drum"), clock, locale);
    QFont drumFont = drum->font();
    drumFont.setPixelSize(26);
    drumFont.setBold(true);
    drum->setFont(drumFont);
    drum->setFontColor(core::clBlack);
    drum->setClockStyle(csRevolvingDrum);
    drum->setMinimumSize(230, 60);

    TClockFace* points = addFace(grid, 1, 0, QStringLiteral("Analogue, points"), clock, locale);
    points->setClockStyle(csAnalog);
    points->setFixedSize(150, 150);

    TClockFace* decimal = addFace(grid, 1, 1, QStringLiteral("Analogue, numerals"), clock, locale);
    decimal->setClockStyle(csAnalog);
    decimal->setHoursDisplayStyle(dsDecimalNumbers);
    decimal->setColor(core::clWhite);
    decimal->setFontColor(core::clBlack);
    decimal->HandOptions().setHourHandColor(core::clNavy);
    decimal->HandOptions().setMinHandColor(core::clNavy);

    TClockFace* roman = addFace(grid, 1, 2, QStringLiteral("Analogue, Roman, five hours ahead"), clock,
                                locale);
    roman->setClockStyle(csAnalog);
    roman->setHoursDisplayStyle(dsRomanNumbers);
    roman->setOffsetHour(5);
    roman->setColor(0xC0E0F0);
    roman->setFontColor(0x204060);
    roman->setBevelWidth(2);
    roman->setBorderWidth(2);

    TClockFace* big200 = addFace(grid, 2, 0, QStringLiteral("Analogue, 200 pixels"), clock, locale);
    big200->setClockStyle(csAnalog);
    big200->setMinimumSize(200, 200);

    TClockFace* small = addFace(grid, 2, 1, QStringLiteral("Text, zone window size"), clock, locale);
    small->setMinimumSize(65, 19);
    small->setMaximumHeight(20);
    small->setDisplayFormat(QStringLiteral("h:mm:ss ampm"));

    TClockFace* smallDrum = addFace(grid, 2, 2, QStringLiteral("Drum, 20 high"), clock, locale);
    smallDrum->setMinimumSize(80, 20);
    smallDrum->setMaximumHeight(20);
    smallDrum->setClockStyle(csRevolvingDrum);
    smallDrum->setFontColor(core::clBlack);

    for (TClockFace* face : window.findChildren<TClockFace*>())
        face->setActive(true);
    window.show();
    return application.exec();
}
