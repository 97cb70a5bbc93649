#include "toolkit/UknFonts.h"

#include <QWidget>

namespace qb {

QColor QtColour(TColor colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

TColor ColourOf(const QColor& colour) {
    return Rgb(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
               static_cast<uint8_t>(colour.blue()));
}

QFont QtFont(const TFontSettings& settings) {
    QFont font(QString::fromStdU16String(settings.FontName), settings.FontSize);
    font.setBold(settings.FontBold);
    font.setItalic(settings.FontItalic);
    font.setUnderline(settings.FontUnderline);
    font.setStrikeOut(settings.FontStrikeOut);
    return font;
}

void ApplyFontSettings(QWidget& widget, const TFontSettings& settings, QPalette::ColorRole textRole,
                       QPalette::ColorRole backRole) {
    widget.setFont(QtFont(settings));
    QPalette palette = widget.palette();
    palette.setColor(textRole, QtColour(settings.FontColor));
    palette.setColor(backRole, QtColour(settings.BGColor));
    widget.setPalette(palette);
}

}  // namespace qb
