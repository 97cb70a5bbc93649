#include "shell/UProgramServices.h"

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "model/UDeleteHandler.h"
#include "model/UPageFactory.h"
#include "shell/UknClasses.h"
#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "storage/UBackupHandler.h"
#include "storage/ULogInHandler.h"
#include "storage/UNotebookLock.h"
#include "storage/UPageStore.h"

namespace qb {

bool OpenProgramData(const TMessageProc& showMessage) {
    if (!CheckDataFiles(showMessage)) return false;
    ConnectPageEnvironment();
    try {
        RunIfNotebookFree(ProgramFolder() + u"data/", RemoveUnfinishedBackups);
    } catch (const TknError&) {
        // a folder that stays is tried again at the next start
    }
    return true;
}

void ConnectPageEnvironment() {
    TPageEnvironment& env = PageEnvironment();
    env.Text = [](int32_t id) { return LangText(id); };
    env.ExportEncoding = [] {
        int32_t e = OptionManager().ExportEncode;
        return (e >= enAnsi && e <= enUTF16BE) ? static_cast<TEncoding>(e) : enUTF16LE;
    };
    env.SepLine = [] { return OptionManager().SepLine; };
}

void ReleaseProgramGlobals() {
    ReleaseDeleteHandler();
    ReleaseLogInHandler();
    ReleaseStore();
    ReleasePageFactoryObjects();
    ReleaseShellGlobals();
    ReleaseNotebookLock();  // last: every write of the run is done
}

}  // namespace qb
