#include "shell/ULangManager.h"

#include <cstdlib>
#include <memory>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"
#include "shell/UStringTable.h"

namespace qb {

extern const char kChineseLanguageText[];  // generated from res/lang/Chinese.lng

namespace {

std::unique_ptr<TLangManager>& Instance() {
    // The language center unregisters from the option manager when it is destroyed. Holders of
    // single objects left at exit are destroyed in the reverse order of their creation, so the
    // option manager's holder is made first and outlives this one.
    ExistingOptionManager();
    static std::unique_ptr<TLangManager> instance;
    return instance;
}

// A language name is a file name in "lang/"; anything that could reach outside it names no
// file.
bool IsPlainName(std::u16string_view name) {
    return !name.empty() && name.find_first_of(u"/\\") == std::u16string_view::npos &&
           name != u"." && name != u"..";
}

}  // namespace

TLangManager::TLangManager() {
    OptionManager().AddObserver(this);
}

TLangManager::~TLangManager() {
    if (auto* options = ExistingOptionManager()) options->RemoveObserver(this);
}

void TLangManager::OptionChanged() {
    SetLanguage(OptionManager().Language);
}

void TLangManager::LoadLanguage(std::u16string_view name, TknStrList& texts) {
    texts.Clear();
    if (IsSameText(name, u"Chinese")) {
        // Parsed exactly, so that texts keep their trailing blanks.
        for (auto& e : ParseStringTable(kChineseLanguageText))
            texts.AddByKey(e.Id, std::move(e.Text));
        return;
    }
    if (!IsPlainName(name)) return;
    std::u16string file = ProgramFolder() + u"lang/" + std::u16string(name) + u".lng";
    if (!FileExists(file)) return;
    try {
        texts.LoadFromFile(file);
    } catch (const TknError&) {
        texts.Clear();  // an unreadable file leaves the string table's texts
    }
}

TLangManager& LangManager() {
    auto& instance = Instance();
    if (!instance) instance = std::make_unique<TLangManager>();
    return *instance;
}

TLangManager* ExistingLangManager() {
    return Instance().get();
}

void ReleaseLangManager() {
    std::unique_ptr<TLangManager> instance = std::move(Instance());
}

std::u16string LangText(int32_t id, std::u16string_view defaultText) {
    return LangManager().GetText(id, defaultText);
}

bool SystemLocaleIsChinesePrc() {
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = std::getenv(name);
        if (locale && *locale) break;
    }
    if (!locale) return false;
    std::string_view l(locale);
    return l.starts_with("zh_CN") || l.starts_with("zh-CN") || l.starts_with("zh_Hans_CN");
}

}  // namespace qb
