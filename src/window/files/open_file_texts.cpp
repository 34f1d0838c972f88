#include "window/files/open_file_texts.h"

#include "base/concat.h"

#include <algorithm>

namespace varnox {

namespace {

const OpenFileTexts kEnglish = {
    " settings changed in the window. OK writes them; Cancel leaves everything as it was.",
    "The file holds no setting this window manages: nothing changed.",
    "The file's settings are those the window already shows: nothing changed.",
    "Left out:",
    "line ",
    "... and more entries left out: ",
    {"not a value this window manages", "a key deletion: the window deletes no keys",
     "under a root key the window does not use", "a machine-wide value only an administrator can change",
     "a value the window cannot show", "unreadable: "},
    {"not a registry file", "the file ends in half a character", "not a key, value or comment line",
     "a value before any key", "a key without its closing ]", "unknown root key", "a key name with an empty part",
     "unterminated string", "unknown escape (only \\\\ and \\\" are known)", "unexpected text after the value",
     "no = after the value name", "unknown type of value data", "dword: needs 1 to 8 hexadecimal digits",
     "hex( needs 1 to 8 hexadecimal digits and )", "a byte of hex data that is not 1 or 2 hexadecimal digits",
     "text data in half a character", "the last line goes on past the end of the file"},
};

const OpenFileTexts kRussian = {
    " — столько настроек изменено в окне. OK запишет их; Отмена оставит всё как было.",
    "В файле нет настроек, которыми управляет это окно: ничего не изменено.",
    "Настройки из файла уже показаны в окне: ничего не изменено.",
    "Пропущено:",
    "строка ",
    "... и ещё пропущено записей: ",
    {"значение, которым окно не управляет", "удаление раздела: окно не удаляет разделы",
     "корневой раздел, с которым окно не работает",
     "общий параметр компьютера, его может изменить только администратор", "значение, которое окно не может показать",
     "не читается: "},
    {"это не файл реестра", "файл обрывается на половине символа", "не раздел, не значение и не комментарий",
     "значение до первого раздела", "раздел без закрывающей ]", "неизвестный корневой раздел",
     "имя раздела с пустой частью", "незакрытая строка",
     "неизвестная escape-последовательность (известны только \\\\ и \\\")", "лишний текст после значения",
     "нет = после имени значения", "неизвестный тип данных", "после dword: нужно от 1 до 8 шестнадцатеричных цифр",
     "после hex( нужно от 1 до 8 шестнадцатеричных цифр и )", "байт в hex-данных — не 1 или 2 шестнадцатеричные цифры",
     "текст в данных обрывается на половине символа", "последняя строка продолжается за концом файла"},
};

}  // namespace

const OpenFileTexts& EnglishOpenFileTexts() { return kEnglish; }
const OpenFileTexts& RussianOpenFileTexts() { return kRussian; }

std::string OpenedFileMessage(const OpenedFile& file, const OpenFileTexts& texts, SystemApi& system) {
  std::string message;
  if (!file.firstComment.empty()) message += file.firstComment + "\r\n\r\n";
  if (file.changed != 0) {
    message += std::to_string(file.changed) + std::string(texts.changed);
  } else {
    message += file.managed == 0 ? texts.nothingManaged : texts.nothingChanged;
  }
  if (file.leftOut.empty()) return message;
  std::vector<LeftOutEntry> entries = file.leftOut;
  std::stable_sort(entries.begin(), entries.end(),
                   [](const LeftOutEntry& a, const LeftOutEntry& b) { return a.line < b.line; });
  message += "\r\n\r\n";
  message += texts.leftOut;
  for (std::size_t i = 0; i < entries.size() && i < kListedEntries; ++i) {
    const LeftOutEntry& entry = entries[i];
    message += Concat({"\r\n", texts.line, std::to_string(entry.line), ": "});
    if (!entry.what.empty()) message += system.AnsiToUtf8(entry.what) + ": ";
    message += texts.reasons[static_cast<std::size_t>(entry.reason)];
    // Only a .reg file's faults reach the window; the other readers' have no text here.
    const auto fault = static_cast<std::size_t>(entry.fault);
    if (entry.reason == LeftOutReason::Unreadable && fault < kRegFileFaultCount) message += texts.faults[fault];
  }
  if (entries.size() > kListedEntries) {
    message += Concat({"\r\n", texts.more, std::to_string(entries.size() - kListedEntries)});
  }
  return message;
}

}  // namespace varnox
