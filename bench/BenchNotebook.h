#pragma once

// Notebooks for the benchmarks, written straight into the index and data files (making them
// page by page through the store would take longer than what is measured), and a program
// folder of their own for each.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb::bench {

inline const std::u16string kTimes = u"2010-11-06 10:00:00\t2010-11-06 10:05:00\t2010-11-06 10:05:00";

inline std::u16string ContainerProps(const std::u16string& name, const std::u16string& children) {
    return name + u"\t0\t\t0\t" + kTimes +
           u"\t0\t\t\t25840,25850,25800\t120,240,100\t0\t3\t1\t0\t" + children;
}

inline std::u16string NoteProps(const std::u16string& name) {
    return name + u"\t0\t\t0\t" + kTimes + u"\t0\t\t";
}

inline std::u16string Line(int32_t id, int32_t owner, int type, int length, const std::u16string& props) {
    return IntToStr(id) + u"\t" + IntToStr(owner) + u"\t" + IntToStr(type) + u"\t" +
           IntToStr(length) + u"\t" + props;
}

inline void WriteUtf16(const std::string& path, const std::u16string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("\xFF\xFE", 2);
    out.write(reinterpret_cast<const char*>(text.data()),
              static_cast<std::streamsize>(text.size() * 2));
}

// The notebook's two files in the program folder `home` (ending in "/").
inline void WriteNotebookFiles(const std::string& home, const std::u16string& index,
                               const std::u16string& data) {
    WriteUtf16(home + "data/quillbox.idx", index);
    WriteUtf16(home + "data/quillbox.dat", data);
}

// A folder of its own for each notebook, made the program folder.
inline std::string MakeHome(const char* name) {
    std::string home = (std::filesystem::temp_directory_path() / name).string() + "/";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + "data");
    return home;
}

inline void UseHome(const std::string& home) {
    ReleaseStore();
    SetProgramFolder(FromUtf8(home));
}

inline constexpr int kGroups = 1000;
inline constexpr int kNotesPerGroup = 99;  // with the groups, the group root and the root: 100,002 pages
inline constexpr int kNoteLength = 10;

// Root -> group root -> 1000 groups -> 99 notes each.
inline const std::string& LargeNotebook() {
    static const std::string home = [] {
        std::string folder = MakeHome("qbbench-store-100k");
        std::u16string groups, index = u"3.2.0\r\n";
        for (int g = 0; g < kGroups; ++g) groups += (g ? u"," : u"") + IntToStr(1 + g * 100);
        index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
        index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", groups));
        std::u16string data;
        for (int g = 0; g < kGroups; ++g) {
            const int32_t group = 1 + g * 100;
            std::u16string notes;
            for (int n = 1; n <= kNotesPerGroup; ++n)
                notes += (n > 1 ? u"," : u"") + IntToStr(group + n);
            index +=
                u"\r\n" + Line(group, 0, ptGroup, 0, ContainerProps(u"Group" + IntToStr(g), notes));
            for (int n = 1; n <= kNotesPerGroup; ++n) {
                index += u"\r\n" + Line(group + n, group, ptNote, kNoteLength,
                                        NoteProps(u"Note" + IntToStr(n)));
                data += u"0123456789";
            }
        }
        WriteNotebookFiles(folder, index, data);
        return folder;
    }();
    return home;
}

}  // namespace qb::bench
