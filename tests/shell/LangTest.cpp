#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "ShellTestSupport.h"
#include "foundation/UknStrUtils.h"
#include "shell/ULangManager.h"
#include "shell/UStringTable.h"

namespace qb::test {

namespace {

// Sets an environment variable for one scope.
class TEnv {
  public:
    TEnv(const char* name, const char* value) : FName(name) {
        if (const char* old = std::getenv(name)) FOld = old;
        ::setenv(name, value, 1);
    }
    ~TEnv() {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }

  private:
    const char* FName;
    std::optional<std::string> FOld;
};

class TLangListener : public ILangObserver {
  public:
    void LanguageChanged() override { ++Calls; }
    int Calls = 0;
};

}  // namespace

class LangTest : public TShellTest {
  protected:
    void WriteLanguage(const std::string& name, std::string_view utf8) {
        std::filesystem::create_directories(FFolder.File("lang"));
        WriteBytes(FFolder.File("lang/" + name + ".lng"), utf8);
    }
    void UseLanguage(std::u16string_view name) {
        OptionManager().Language = name;
        OptionManager().NotifyAll();
    }
};

TEST_F(LangTest, GetTextFallsBackFromFileToDefaultOrStringTable) {
    WriteLanguage("Deutsch",
                  "// German\r\n1150=&Speichern\r\n25020=\n99999=Nur hier\n"
                  "25628=Zeile 1\\nZeile 2\\tTab\n");
    struct TCase {
        const char* Language;
        int32_t Id;
        std::u16string_view Default;
        std::u16string Expected;
    };
    const std::vector<TCase> cases = {
        {"Deutsch", 1150, u"", u"&Speichern"},
        {"Deutsch", 1150, u"ignored", u"&Speichern"},
        {"Deutsch", 25020, u"default", u"Prompt"},  // empty in the file: the string table
        {"Deutsch", 1360, u"default", u"&Copy"},    // missing in the file: the string table
        {"Deutsch", 99999, u"", u"Nur hier"},
        {"Deutsch", 25628, u"", u"Zeile 1\r\nZeile 2\tTab"},
        {"Deutsch", 1400, u"", u"&Delete\tDel"},    // the table's escapes too
        {"Deutsch", 424242, u"default", u""},       // known nowhere
        {"Chinese", 1150, u"default", u"保存(&S)"},  // built-in texts come first
        {"Chinese", 1400, u"", u"删除(&D)\tDel"},
        {"Chinese", 99999, u"default", u"default"},  // then the caller's default
        {"chinese", 99999, u"x\\ty", u"x\ty"},      // the built-in name matches without case
        {"Chinese", 99999, u"", u""},
        {"English", 1150, u"default", u"&Save"},   // no file: the string table
        {"../lang/Deutsch", 1150, u"", u"&Save"},  // names never reach outside lang/
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Language) + " " + std::to_string(c.Id));
        UseLanguage(FromUtf8(c.Language));
        EXPECT_EQ(LangManager().Language(), FromUtf8(c.Language));
        EXPECT_EQ(ToUtf8(LangText(c.Id, c.Default)), ToUtf8(c.Expected));
    }
}

TEST_F(LangTest, EmptyNamePicksTheLanguageFromTheLocale) {
    {
        TEnv env("LC_ALL", "zh_CN.UTF-8");
        EXPECT_TRUE(SystemLocaleIsChinesePrc());
        LangManager();  // the empty option picks the language
        EXPECT_EQ(LangManager().Language(), u"Chinese");
    }
    ReleaseLangManager();
    {
        TEnv all("LC_ALL", "");
        TEnv messages("LC_MESSAGES", "");
        TEnv lang("LANG", "zh_TW.UTF-8");
        EXPECT_FALSE(SystemLocaleIsChinesePrc());
        EXPECT_EQ(LangManager().Language(), u"English");
    }
}

TEST_F(LangTest, ObserversAreToldOnlyOfRealChanges) {
    {
        TEnv env("LC_ALL", "en_US.UTF-8");
        TLangListener before;
        LangManager().AddObserver(&before);  // a language is already set: told at once
        EXPECT_EQ(before.Calls, 1);
        UseLanguage(u"English");  // the locale gave "English" already
        EXPECT_EQ(before.Calls, 1);
        UseLanguage(u"Deutsch");
        EXPECT_EQ(before.Calls, 2);
        LangManager().SetLanguage(u"Deutsch");
        EXPECT_EQ(before.Calls, 2);
        LangManager().RemoveObserver(&before);
    }

    // A language center whose language was never set tells a new observer nothing.
    struct TBareLanguage : TknLanguage {
        void LoadLanguage(std::u16string_view, TknStrList& texts) override { texts.Clear(); }
    } bare;
    TLangListener listener;
    bare.AddObserver(&listener);
    EXPECT_EQ(listener.Calls, 0);
    EXPECT_EQ(bare.BuiltInLanguage(), u"Chinese");
    EXPECT_EQ(bare.GetText(1150, u"default"), u"&Save");  // "" is not the built-in language
    bare.SetLanguage(u"Chinese");
    EXPECT_EQ(listener.Calls, 1);
    EXPECT_EQ(bare.GetText(1150, u"default"), u"default");
    bare.SetBuiltInLanguage(u"English");
    EXPECT_EQ(bare.GetText(1150, u"default"), u"&Save");
}

TEST_F(LangTest, BrokenLanguageFilesNeverBreakTheTexts) {
    std::string junk;
    for (int i = 0; i < 3000; ++i) junk.push_back(static_cast<char>((i * 131) % 256));
    const std::vector<std::pair<const char*, std::string>> files = {
        {"binary", junk},
        {"no equals", "1150\nhello\n=\n\n"},
        {"huge line", "1150=" + std::string(100000, 'x') + "\n1210=Quit\n"},
        {"bad ids", "abc=x\n-5=y\n99999999999=z\n1210=Quit\n"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Reset();
        WriteLanguage("Broken", bytes);
        UseLanguage(u"Broken");
        std::u16string text = LangText(1360);
        EXPECT_EQ(text, u"&Copy");  // not in any of them
    }
    EXPECT_EQ(LangText(1210), u"Quit");
}

}  // namespace qb::test
