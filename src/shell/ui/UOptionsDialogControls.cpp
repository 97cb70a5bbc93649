#include "shell/ui/UOptionsDialogControls.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

#include "model/UPageFactory.h"
#include "shell/ULangManager.h"
#include "shell/UOptionsLayout.h"
#include "toolkit/UknKeys.h"

namespace qb {

namespace {

// Keypad keys (0x60..0x6F) show with the keypad modifier.
constexpr uint8_t kFirstKeypadKey = 0x60;
constexpr uint8_t kLastKeypadKey = 0x6F;

bool IsModifierKey(int qtKey) {
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
           qtKey == Qt::Key_Meta || qtKey == Qt::Key_AltGr || qtKey == Qt::Key_CapsLock ||
           qtKey == Qt::Key_NumLock || qtKey == Qt::Key_unknown;
}

QString StyleColour(TColor colour) {
    return QtColour(colour).name();
}

}  // namespace

QFont QtFont(const TFontSettings& settings) {
    QFont font(QString::fromStdU16String(settings.FontName), settings.FontSize);
    font.setBold(settings.FontBold);
    font.setItalic(settings.FontItalic);
    font.setUnderline(settings.FontUnderline);
    font.setStrikeOut(settings.FontStrikeOut);
    return font;
}

int QtKeyOfHotKey(THotKey key) {
    int qtKey = VirtualKeyToQtKey(HotKeyVirtualKey(key));
    return qtKey ? qtKey : Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiersOfHotKey(THotKey key) {
    Qt::KeyboardModifiers modifiers;
    uint8_t flags = HotKeyFlags(key);
    if (flags & kHotKeyShift) modifiers |= Qt::ShiftModifier;
    if (flags & kHotKeyControl) modifiers |= Qt::ControlModifier;
    if (flags & kHotKeyAlt) modifiers |= Qt::AltModifier;
    uint32_t vk = HotKeyVirtualKey(key);
    if (vk >= kFirstKeypadKey && vk <= kLastKeypadKey) modifiers |= Qt::KeypadModifier;
    return modifiers;
}

THotKey HotKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    uint8_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= kHotKeyShift;
    if (modifiers & Qt::ControlModifier) flags |= kHotKeyControl;
    if (modifiers & Qt::AltModifier) flags |= kHotKeyAlt;
    return MakeHotKey(flags, VirtualKeyFromQtKey(qtKey, modifiers & Qt::KeypadModifier));
}

QString HotKeyDisplayText(THotKey key) {
    if (key == 0) return {};
    int qtKey = QtKeyOfHotKey(key);
    Qt::KeyboardModifiers modifiers = QtModifiersOfHotKey(key);
    if (qtKey != Qt::Key_unknown)
        return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)))
            .toString(QKeySequence::NativeText);
    // A code no key of this keyboard gives: its number, after the modifiers.
    QString prefix = QKeySequence(QKeyCombination(modifiers & ~Qt::KeypadModifier, Qt::Key_A))
                         .toString(QKeySequence::NativeText);
    prefix.chop(1);
    return prefix + QStringLiteral("#%1").arg(HotKeyVirtualKey(key));
}

void InstallHotKeyTexts() {
    PageEnvironment().HotKeyText = [](uint16_t key) {
        return HotKeyDisplayText(key).toStdU16String();
    };
}

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setPlaceholderText(QString::fromStdU16String(LangText(kNoHotKeyTextId)));
}

void THotKeyEdit::SetHotKey(THotKey key) {
    FHotKey = key;
    setText(HotKeyDisplayText(key));
}

bool THotKeyEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event) {
    int qtKey = event->key();
    if (IsModifierKey(qtKey)) return;
    Qt::KeyboardModifiers modifiers = event->modifiers();
    bool plain = (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
    THotKey key = 0;
    if (!(plain && (qtKey == Qt::Key_Backspace || qtKey == Qt::Key_Delete))) {
        key = HotKeyOfQtKey(qtKey, modifiers);
        if (key == 0) return;  // a key the hotkey word cannot hold
    }
    if (key == FHotKey) return;
    SetHotKey(key);
    emit HotKeyChanged(key);
}

QColor QtColour(TColor colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

TColor ColourOf(const QColor& colour) {
    return Rgb(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
               static_cast<uint8_t>(colour.blue()));
}

TColourButton::TColourButton(QWidget* parent) : QPushButton(parent) {
    setFixedWidth(48);
    connect(this, &QPushButton::clicked, this, &TColourButton::Choose);
    SetColour(0);
}

void TColourButton::SetColour(TColor colour) {
    FColour = colour & 0xFFFFFF;
    setStyleSheet(QStringLiteral("background-color: %1;").arg(StyleColour(FColour)));
    setToolTip(StyleColour(FColour));
}

void TColourButton::Choose() {
    QColor chosen = QColorDialog::getColor(QtColour(FColour), this);
    if (!chosen.isValid() || ColourOf(chosen) == FColour) return;
    SetColour(ColourOf(chosen));
    emit ColourChanged(FColour);
}

TFontRow::TFontRow(QWidget* parent)
    : QWidget(parent),
      FSample(new QLabel(this)),
      FTextColour(new TColourButton(this)),
      FBackColour(new TColourButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FSample->setMinimumWidth(140);
    FSample->setAutoFillBackground(true);
    FSample->setFrameShape(QFrame::StyledPanel);
    auto* fontButton = new QPushButton(QString::fromStdU16String(LangText(kFontButtonTextId)));
    FTextColour->setToolTip(QString::fromStdU16String(LangText(kFontColourTextId)));
    FBackColour->setToolTip(QString::fromStdU16String(LangText(kBackColourTextId)));
    layout->addWidget(FSample, 1);
    layout->addWidget(fontButton);
    layout->addWidget(FTextColour);
    layout->addWidget(FBackColour);
    connect(fontButton, &QPushButton::clicked, this, &TFontRow::ChooseFont);
    connect(FTextColour, &TColourButton::ColourChanged, this, [this](TColor c) {
        FFont.FontColor = c;
        ShowSample();
    });
    connect(FBackColour, &TColourButton::ColourChanged, this, [this](TColor c) {
        FFont.BGColor = c;
        ShowSample();
    });
    ShowSample();
}

void TFontRow::SetFont(const TFontSettings& font) {
    FFont = font;
    FTextColour->SetColour(font.FontColor);
    FBackColour->SetColour(font.BGColor);
    ShowSample();
}

void TFontRow::ChooseFont() {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, QtFont(FFont), this);
    if (!ok) return;
    FFont.FontName = chosen.family().toStdU16String();
    if (chosen.pointSize() > 0) FFont.FontSize = chosen.pointSize();
    FFont.FontBold = chosen.bold();
    FFont.FontItalic = chosen.italic();
    FFont.FontUnderline = chosen.underline();
    FFont.FontStrikeOut = chosen.strikeOut();
    ShowSample();
}

void TFontRow::ShowSample() {
    FSample->setFont(QtFont(FFont));
    FSample->setText(QStringLiteral("%1, %2")
                         .arg(QString::fromStdU16String(FFont.FontName))
                         .arg(FFont.FontSize));
    QPalette palette = FSample->palette();
    palette.setColor(QPalette::Window, QtColour(FFont.BGColor));
    palette.setColor(QPalette::WindowText, QtColour(FFont.FontColor));
    FSample->setPalette(palette);
}

}  // namespace qb
