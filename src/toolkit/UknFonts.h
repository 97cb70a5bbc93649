#pragma once

// The options' fonts and colours as Qt takes them: a font section (name, size, styles, text
// colour, background) for a control, and the ini's colour values.

#include <QColor>
#include <QFont>
#include <QPalette>

#include "shell/UOptionManager.h"

class QWidget;

namespace qb {

QColor QtColour(TColor colour);
TColor ColourOf(const QColor& colour);
// The family itself when the system has it, else the desktop's general font: the built-in
// defaults name fonts of another system ("Tahoma", "Arial"), and fontconfig's own pick for a
// missing name is often a poor one. The size and styles are kept; the options are not changed.
QString InstalledFamily(const QString& family);
QFont QtFont(const TFontSettings& settings);
// The control's font, and its text and background colours in the palette roles given (a
// view's Text and Base, a panel's WindowText and Window).
void ApplyFontSettings(QWidget& widget, const TFontSettings& settings,
                       QPalette::ColorRole textRole = QPalette::Text,
                       QPalette::ColorRole backRole = QPalette::Base);

}  // namespace qb
