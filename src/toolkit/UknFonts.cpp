#include "toolkit/UknFonts.h"

#include <QFontDatabase>
#include <QWidget>

namespace qb {

QColor QtColour(TColor colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

TColor ColourOf(const QColor& colour) {
    return Rgb(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
               static_cast<uint8_t>(colour.blue()));
}

QString InstalledFamily(const QString& family) {
    // Read once: asking the font database for every control of a window would cost more than
    // a font installed while the program runs is worth.
    static const QStringList installed = QFontDatabase::families();
    if (!family.isEmpty() && installed.contains(family, Qt::CaseInsensitive)) return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont QtFont(const TFontSettings& settings) {
    QFont font(InstalledFamily(QString::fromStdU16String(settings.FontName)), settings.FontSize);
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
