#include "toolkit/UknClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qb {

std::u16string TknClipboard::GetText(bool primary) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QClipboard::Mode mode = primary ? QClipboard::Selection : QClipboard::Clipboard;
    if (primary && !clipboard->supportsSelection()) return {};
    const QMimeData* data = clipboard->mimeData(mode);
    if (!data || !data->hasText()) return {};
    return data->text().toStdU16String();
}

void TknClipboard::SetText(std::u16string_view text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(std::u16string(text)),
                                          QClipboard::Clipboard);
}

TknClipboardWatch::TknClipboardWatch(std::function<void(std::u16string text)> onChange,
                                     QObject* parent)
    : QObject(parent), FOnChange(std::move(onChange)) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TknClipboardWatch::Changed);
}

void TknClipboardWatch::Changed() {
    if (FActive && FOnChange) FOnChange(TknClipboard::GetText());
}

}  // namespace qb
