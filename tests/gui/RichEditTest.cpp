// The Qt text control against the same contract as the in-memory control, and what only a
// drawn control can show: the highlight markers take no room, the caret steps over them, and
// the clipboard gets the text with and without them.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>

#include "editor/EditControlContract.h"
#include "editor/UEditor.h"
#include "editor/ui/UknRichEdit.h"
#include "editor/ui/UknRichEditDecorators.h"

namespace qb::test {

namespace {

std::unique_ptr<TknRichEdit> ShownEdit() {
    auto edit = std::make_unique<TknRichEdit>();
    edit->resize(400, 300);
    edit->show();
    return edit;
}

void Press(TknRichEdit& edit, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&edit, &press);
}

}  // namespace

// Without word wrap the display lines are the paragraphs, as the contract counts them.
struct TRichEditFactory {
    static std::unique_ptr<IEditControl> Make() {
        auto edit = ShownEdit();
        edit->SetWordWrap(false);
        return edit;
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, EditControlContract, TRichEditFactory);

// Every marker survives loading and saving; none of them moves the text after it.
TEST(RichEditMarkers, KeptInTheTextButTakeNoRoom) {
    auto edit = ShownEdit();
    const std::u16string text =
        u"a\x1C"
        u"b\x1D\x1C"
        u"c\x1E\x1C\x1C"
        u"d\x1F\x7F"
        u"e\r\nf";
    edit->SetText(text);
    EXPECT_EQ(edit->GetText(), text);
    const std::u16string inner = edit->TextRange(0, edit->TextLength());
    for (int i = 0; i + 1 < static_cast<int>(inner.size()); ++i) {
        const bool marker = inner[i] == HLOpen || IsHLClose(inner[i]);
        if (inner[i] == u'\r') continue;
        const int width = edit->PointFromChar(i + 1).X - edit->PointFromChar(i).X;
        if (marker)
            EXPECT_EQ(width, 0) << "marker at " << i;
        else
            EXPECT_GT(width, 0) << "letter at " << i;
    }
    // Typing right after a closing marker gives a visible letter, not one in the marker format.
    edit->SetSel(4, 0);
    edit->TypeChar(u'x');
    EXPECT_GT(edit->PointFromChar(5).X, edit->PointFromChar(4).X);
}

TEST(RichEditMarkers, CaretStepsOverMarkers) {
    auto edit = ShownEdit();
    edit->SetText(
        u"ab\x1C"
        u"cd\x1D"
        u"ef");
    struct TRow {
        int From;
        int Key;
        int To;
    } rows[] = {
        {2, Qt::Key_Right, 4}, {4, Qt::Key_Left, 3}, {3, Qt::Key_Left, 1},
        {5, Qt::Key_Right, 7}, {7, Qt::Key_Left, 6}, {6, Qt::Key_Left, 4},
    };
    for (const TRow& r : rows) {
        edit->SetSel(r.From, 0);
        Press(*edit, r.Key);
        EXPECT_EQ(edit->GetSel().Start, r.To) << r.From << " " << r.Key;
    }
}

TEST(RichEditMarkers, ClipboardCarriesTheMarkersOnlyInItsOwnFormat) {
    auto edit = ShownEdit();
    edit->SetText(
        u"x\x1C"
        u"hi\r\nyo\x1E"
        u"z");
    edit->SetSel(1, 7);
    edit->Copy();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString("hi\nyo"));
    EXPECT_EQ(QString::fromUtf8(data->data(RawTextMime)), QString::fromUtf16(u"\x1Chi\nyo\x1E"));
    edit->SetSel(9, 0);
    edit->Paste();
    EXPECT_EQ(edit->GetText(), u"x\x1Chi\r\nyo\x1Ez\x1Chi\r\nyo\x1E");
}

// Keys typed at the widget go through the control's own editing, so they can be undone one
// by one and are refused on a read-only control.
TEST(RichEditKeys, TypedKeysAreTheControlsEdits) {
    auto edit = ShownEdit();
    edit->SetText(u"");
    for (QChar ch : QString::fromUtf16(u"aé中")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.get(), &press);
    }
    Press(*edit, Qt::Key_Return);
    Press(*edit, Qt::Key_Backspace);
    Press(*edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->GetText(), u"aé");
    Press(*edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->GetText(), u"aé中");
    Press(*edit, Qt::Key_A, Qt::ControlModifier);  // moving and selecting stay Qt's
    EXPECT_EQ(edit->GetSel(), (TEditSel{0, 3}));
    edit->SetReadOnly(true);
    Press(*edit, Qt::Key_Delete);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
    QApplication::sendEvent(edit.get(), &press);
    EXPECT_EQ(edit->GetText(), u"aé中");
}

}  // namespace qb::test

namespace qb::test {

// The gutter is two digits wide up to 9 lines, three from the tenth, and numbers display
// lines: a wrapped paragraph gets a number for each of its lines.
TEST(RichEditDecorators, LineNumbersCountDisplayLines) {
    auto edit = ShownEdit();
    TknRichEditLineNumber numbers(*edit);
    numbers.SetEnabled(true);
    const int digit = edit->fontMetrics().horizontalAdvance(u'9');
    std::u16string text = u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9";
    edit->SetText(text);
    QApplication::processEvents();
    EXPECT_EQ(numbers.GutterWidth(), 2 * digit + 4);
    edit->SetSel(edit->TextLength(), 0);
    edit->KeyDown(vkReturn, 0);
    EXPECT_EQ(numbers.GutterWidth(), 3 * digit + 4);
    std::u16string wide(300, u'w');
    for (size_t i = 0; i < wide.size(); i += 6) wide[i] = u' ';
    edit->SetText(wide);
    QApplication::processEvents();
    ASSERT_GT(edit->LineCount(), 2);
    const int second = edit->LineIndex(1);
    EXPECT_GT(second, 0);
    EXPECT_EQ(edit->LineFromChar(second), 1);
    EXPECT_EQ(edit->LineFromChar(second - 1), 0);
    EXPECT_EQ(edit->PointFromChar(second).X, edit->PointFromChar(0).X);  // starts a display line
}

}  // namespace qb::test

namespace qb::test {

// The colours multiply: an inner block painted over by its outer block shows both colours
// combined; a block that is never closed is not painted; an underline style colours only the
// bottom of the line.
TEST(RichEditDecorators, HighlightBlocksFollowTheStackRule) {
    auto edit = ShownEdit();
    TknRichEditHighLightTextBlock blocks(*edit);
    blocks.SetEnabled(true);
    blocks.SetStyle(0, {HLClose[0], QColor(255, 255, 0), 0});
    blocks.SetStyle(1, {HLClose[1], QColor(255, 0, 255), 2});
    blocks.SetStyle(3, {HLClose[3], QColor(0, 255, 255), 0});  // beyond the styles: appended
    edit->SetText(
        u"\x1C"
        u"ab\x1C"
        u"cd\x1D"
        u"ef\x7F"
        u" \x1C"
        u"gh \x1C"
        u"uv\x1E");
    QApplication::processEvents();
    QImage image(edit->viewport()->size(), QImage::Format_RGB32);
    edit->viewport()->render(&image);
    auto colourAt = [&](int pos, bool bottom) {
        QRect r = edit->CharRect(pos);
        return image.pixelColor(r.left() + 1, bottom ? r.bottom() : r.top() + 1);
    };
    struct TRow {
        int Pos;
        bool Bottom;
        QColor Expected;
    } rows[] = {
        {1, false, QColor(0, 255, 255)},    {4, false, QColor(0, 255, 0)},
        {7, false, QColor(0, 255, 255)},    {12, false, QColor(255, 255, 255)},
        {16, false, QColor(255, 255, 255)}, {16, true, QColor(255, 0, 255)},
    };
    for (const TRow& r : rows)
        EXPECT_EQ(colourAt(r.Pos, r.Bottom), r.Expected) << r.Pos << (r.Bottom ? " bottom" : "");
}

}  // namespace qb::test
