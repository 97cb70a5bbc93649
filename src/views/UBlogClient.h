#pragma once

// The abstract client of list pages: each child as a numbered entry with its title, its time
// and its abstract, drawn by the view in ui/. The commands and mouse rules are the list
// client's (TListClientSuper), except that nothing selects all.

#include <cstdint>
#include <string>
#include <vector>

#include "views/UListClient.h"

namespace qb {

struct TBlogEntry {
    int32_t PageId = 0;
    std::u16string Title;
    std::u16string Time;
    std::u16string Abstract;  // with real line breaks
    bool Selected = false;
};

TBlogEntry MakeBlogEntry(TPageSuper& child);
// The title line of the entry at the index: its number from 1, ". " and the title.
std::u16string BlogTitleLine(int index, const std::u16string& title);

class TBlogClient;

// The abstract view as the client sees it: it draws the client's entries.
class IBlogControl : public IClientControl {
  public:
    virtual void Attach(TBlogClient* client) = 0;
    // The entries changed: lay out and draw again.
    virtual void EntriesChanged() = 0;
    // Only which are selected changed: draw again.
    virtual void SelectionChanged() = 0;
    virtual void ScrollToEntry(int index) = 0;
    virtual void ApplyFonts(const TFontSettings& abstract, const TFontSettings& title,
                            const TFontSettings& selectedTitle) = 0;
};

class TBlogClient : public TListClientSuper {
  public:
    explicit TBlogClient(IBlogControl& control);
    ~TBlogClient() override;

    void Load(TPageSuper* page) override;
    void Unload() override;
    IClientControl* Control() override { return &FControl; }
    void OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) override;
    void Save() override {}
    void OptionChanged() override;
    void LanguageChanged() override {}

    const std::vector<TBlogEntry>& Entries() const { return FEntries; }
    int32_t ItemPage(int index) const;
    // A click on an entry (-1: on no entry): it alone is selected; with Ctrl it is added or
    // taken away.
    void Click(int index, bool toggle);
    // The arrow keys and their kin: the entry `delta` places from the last one clicked.
    void MoveSelection(int delta);
    int Current() const { return FCurrent; }
    bool Rename(int index, std::u16string_view text);

  protected:
    int ItemCount() const override { return static_cast<int>(FEntries.size()); }
    bool SelectAllAllowed() const override { return false; }
    void SelectAllItems() override {}

  private:
    int IndexOf(int32_t pageId) const;
    void Select(int index, bool selected);
    void ClearSelection();

    IBlogControl& FControl;
    std::vector<TBlogEntry> FEntries;
    int FCurrent = -1;
};

}  // namespace qb
