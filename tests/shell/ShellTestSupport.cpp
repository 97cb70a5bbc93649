#include "ShellTestSupport.h"

#include <algorithm>

#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {

std::vector<TIniLine> ReadIniLines(const std::u16string& path) {
    std::vector<TIniLine> lines;
    TknMemoryTextFile file(path, fmRead);
    const std::u16string& text = file.Text();
    std::u16string section;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find(u'\n', start), text.size());
        std::u16string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == u'[' && line.back() == u']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t eq = line.find(u'=');
        if (eq == std::u16string::npos) continue;
        lines.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
    }
    return lines;
}

const TIniLine* FindIniLine(const std::vector<TIniLine>& lines, std::u16string_view section,
                            std::u16string_view key) {
    for (const auto& l : lines)
        if (l.Section == section && l.Key == key) return &l;
    return nullptr;
}

void TShellTest::WriteIni(std::string_view utf8) const {
    std::string bytes;
    for (char c : utf8) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    WriteBytes(FFolder.File("quillbox.ini"), bytes);
}

}  // namespace qb::test
