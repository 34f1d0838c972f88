#include "window/texts/policy_save_texts.h"

namespace varnox {

namespace {

const PolicySaveTexts kEnglish = {
    "Saved for Group Policy:",
    " values written or replaced",
    ": not a registry policy file, left as it was; nothing written there",
    "Left out, as a policy file must not hold them:",
    {"the auto-logon password: every user of a domain can read its Group Policy Objects",
     "a value of this computer only (a network adapter, a disk channel)",
     "under a root key Group Policy does not write"},
    "LGPO.exe /m Machine\\Registry.pol and /u User\\Registry.pol put the files into a computer's local policy.",
};

const PolicySaveTexts kRussian = {
    "Сохранено для групповой политики:",
    " — столько значений записано или заменено",
    ": не файл политики реестра, оставлен как был; туда ничего не записано",
    "Пропущено, так как в файле политики им не место:",
    {"пароль автоматического входа: объекты групповой политики домена может прочесть любой его пользователь",
     "значение только этого компьютера (сетевого адаптера, канала диска)",
     "корневой раздел, в который групповая политика не пишет"},
    "LGPO.exe /m Machine\\Registry.pol и /u User\\Registry.pol вносят файлы в локальную политику компьютера.",
};

}  // namespace

const PolicySaveTexts& EnglishPolicySaveTexts() { return kEnglish; }
const PolicySaveTexts& RussianPolicySaveTexts() { return kRussian; }

}  // namespace varnox
