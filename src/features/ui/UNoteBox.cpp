#include "features/ui/UNoteBox.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UOptionsDialogControls.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknQtText.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {

namespace {

constexpr int32_t kCaption = 11850;  // "New Note"
constexpr int kReportMs = 6000;      // a report stays this long unless the user acts first
constexpr int kMinWidth = 120;
constexpr int kMinHeight = 80;

}  // namespace

TNoteBox::TNoteBox(std::u16string_view title, const TNoteRect& rect, TClosed closed)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      FEditor(new QPlainTextEdit(this)),
      FClosed(std::move(closed)) {
    setObjectName(QStringLiteral("NoteBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QtText(LangText(kCaption)));
    setWindowIcon(TknIcons::Icon(kAppIconId));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FEditor);
    const TFontSettings& font = OptionManager().MininoteFontColor;
    FEditor->setFont(QtFont(font));
    QPalette palette = FEditor->palette();
    palette.setColor(QPalette::Base, QtColour(font.BGColor));
    palette.setColor(QPalette::Text, QtColour(font.FontColor));
    FEditor->setPalette(palette);
    if (!title.empty()) FEditor->setPlainText(u'@' + QtText(title) + u'\n');
    FEditor->moveCursor(QTextCursor::End);
    setGeometry(rect.X, rect.Y, std::max(rect.Width, kMinWidth), std::max(rect.Height, kMinHeight));
}

std::u16string TNoteBox::Text() const {
    return ReplaceAll(FEditor->toPlainText().toStdU16String(), u"\n", u"\r\n");
}

TNoteRect TNoteBox::Rect() const {
    const QRect r = geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void TNoteBox::closeEvent(QCloseEvent* event) {
    if (TClosed closed = std::exchange(FClosed, {})) closed(*this);
    event->accept();
}

// --- TNoteWindows ---

TNoteWindows::TNoteWindows() : FTip(std::make_unique<TknTrackingTip>(400, 0, kReportMs)) {}

TNoteWindows::~TNoteWindows() {
    CloseAll();
}

void TNoteWindows::OpenNoteWindow(std::u16string_view title) {
    const TMemoryManager& memory = MemoryManager();
    const TNoteRect rect{memory.NotePosX, memory.NotePosY, memory.NotePosWidth,
                         memory.NotePosHeight};
    auto* box = new TNoteBox(title, rect, [this](TNoteBox& closed) { Closed(closed); });
    FBoxes.push_back(box);
    box->show();
    box->raise();
    box->activateWindow();
    box->Editor()->setFocus();
}

void TNoteWindows::Closed(TNoteBox& box) {
    FBoxes.erase(std::remove(FBoxes.begin(), FBoxes.end(), &box), FBoxes.end());
    if (FHandler) FHandler->NoteClosed(box.Text(), box.Rect());
}

void TNoteWindows::CloseLatestNoteWindow() {
    if (!FBoxes.empty()) FBoxes.back()->close();
}

void TNoteWindows::CloseAll() {
    while (!FBoxes.empty()) {
        TNoteBox* box = FBoxes.back();
        box->close();
        // A window that refused to close must not keep the loop going.
        FBoxes.erase(std::remove(FBoxes.begin(), FBoxes.end(), box), FBoxes.end());
    }
}

void TNoteWindows::Report(std::u16string_view text) {
    FTip->ShowAtCursor(text);
}

bool TNoteWindows::ChooseSnapFile(std::u16string& path) {
    QFileDialog dialog(nullptr, QStringLiteral("Save snapped text to file"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = dialog.selectedFiles().first().toStdU16String();
    return true;
}

}  // namespace qb
