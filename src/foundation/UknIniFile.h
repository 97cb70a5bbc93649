#pragma once

// Ini access: single keys with the classic profile-function behaviour (sections in square
// brackets, key=value lines, keys matched without regard to case, writes that keep every other
// line), a cache that loads a whole section, string lists stored in a section, and the
// start-with-the-desktop entry.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknList.h"

namespace qb {

class TIniCache {
  public:
    explicit TIniCache(std::u16string fileName);
    void LoadSection(std::u16string_view section);
    std::u16string ReadString(std::u16string_view key, std::u16string_view defaultValue) const;
    int64_t ReadInteger(std::u16string_view key, int64_t defaultValue) const;
    void Clear() { Entries.Clear(); }

    std::u16string FileName;
    TknStrList Entries{100};
};

class TknIniFile {
  public:
    explicit TknIniFile(std::u16string fileName);
    virtual ~TknIniFile();

    std::u16string ReadString(std::u16string_view key, std::u16string_view defaultValue) const;
    int64_t ReadInteger(std::u16string_view key, int64_t defaultValue) const;
    bool ReadBool(std::u16string_view key, bool defaultValue) const;
    void WriteString(std::u16string_view key, std::u16string_view value);
    void WriteInteger(std::u16string_view key, int64_t n);
    void WriteBool(std::u16string_view key, bool b);
    TIniCache& Cache();
    // Writes between BeginUpdate and the matching EndUpdate are kept in memory and reach the
    // file in one atomic write at EndUpdate; outside them every write reaches the file at once.
    void BeginUpdate();
    void EndUpdate();

    std::u16string FileName;
    std::u16string Section;

  private:
    std::unique_ptr<TIniCache> FCache;
    int FUpdateCount = 0;
    std::vector<std::u16string> FPending;  // files with writes kept back by BeginUpdate
};

class TIniFileEx : public TknIniFile {
  public:
    using TknIniFile::TknIniFile;
    void ReadList(std::u16string_view section, TknStrList& list);
    void WriteList(std::u16string_view section, const TknStrList& list);
};

// The start-with-the-desktop entry: an XDG autostart file
// (~/.config/autostart/quillbox.desktop, or below $XDG_CONFIG_HOME) whose Exec line holds the
// value. A named value maps to one desktop file; the root key and close flag of the classic
// registry layer have no meaning here and are kept only as state.
class TknRegistry {
  public:
    explicit TknRegistry(int rootKey = 0);
    ~TknRegistry();
    bool OpenKey(std::u16string_view subKey, bool create);
    void CloseKey();
    std::u16string ReadString(std::u16string_view name) const;
    bool WriteString(std::u16string_view name, std::u16string_view value);
    bool DeleteValue(std::u16string_view name);

    int RootKey;
    bool CloseOnRelease = true;

  private:
    bool FOpen = false;
    std::u16string FSubKey;
};

// One argument of a desktop entry's Exec line: always quoted, with the characters the quoting
// reserves escaped and "%" doubled (a field code otherwise).
std::u16string DesktopExecArgument(std::u16string_view argument);

// The folder autostart entries go into (ends in "/"); tests point it elsewhere.
std::u16string AutostartFolder();
void SetAutostartFolderForTesting(std::u16string_view folder);

}  // namespace qb
