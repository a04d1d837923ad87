#pragma once
// The interface language: one resource module "ov" + code + ".dll" in the
// program directory holds every text, menu and dialog by number. The
// portable build loads no modules, so its texts are empty and error texts
// fall back to the system's message and then to a numbered form.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/AStr.h"

// The Windows headers define this name as a macro; ours is a function
// (Windows code includes <windows.h> before this header).
#undef LoadMenu

namespace platform {

// Loads a file as a library (Windows); null when it cannot be loaded. The
// portable build has no libraries and always answers null.
void* LoadLibraryFile(const char* path);
void FreeLibraryModule(void* module);
// A menu resource of a module as a menu handle; null when there is none.
void* LoadModuleMenu(void* module, unsigned id);
// The operating system's own text for an error number (Windows numbering),
// without the trailing line end; false when the system has none.
bool SystemErrorText(uint32_t code, char* buffer, size_t size);

// The string `index` (0..15) of one string-table block as stored in a
// module: sixteen entries, each a 16-bit count of UTF-16 units followed by
// those units. Converted to 1251 and cut to size - 1 bytes. False when the
// block does not hold that entry or it is empty.
bool StringFromTableBlock(const void* block, size_t blockSize, unsigned index, AStr* text,
                          size_t size);

}  // namespace platform

// Holds the module the texts come from.
class Lang {
  public:
    Lang() = default;
    Lang(void* module, bool owned) : module_(module), owned_(owned) {}
    virtual ~Lang();
    Lang(const Lang&) = delete;
    Lang& operator=(const Lang&) = delete;

    virtual void* Module() const { return module_; }
    // Frees the previous module when it was owned.
    void SetModule(void* module, bool owned);

  private:
    void* module_ = nullptr;
    bool owned_ = false;
};

class LangWithError : public Lang {};

// The process-wide language object.
LangWithError& TheLanguage();
// The code the language module was loaded for, and the chosen help file.
const AStr& LanguageCode();
const std::string& HelpFile();

// The path of the language file "ov" + code + extension in `directory`,
// falling back to English and then to the first module found; the code is
// replaced when a fallback is chosen. With `check` a module found by the
// search must hold the language name (string 9500).
std::string FindLanguageFile(const char* directory, AStr& code, const char* extension, bool check);
// Loads the module for `code` (possibly replacing the code) into the
// language object and chooses the help file for the final code. True when
// a module was loaded.
bool LoadLanguage(AStr& code, const char* directory);
// "0" stands for "enu" and "1" for "rus" (older settings files); true when
// the code was replaced.
bool NormalizeLanguageCode(AStr& code);
// The start-up choice: normalise, load; true when the final code differs
// from the stored one and must be written back to the settings file.
bool ChooseLanguage(AStr& code, const char* directory);

// The string resource `id` of the language module, at most size - 1 bytes;
// empty when there is none.
AStr LoadText(unsigned id, size_t size = 1024);
// LoadText, or "Lib Error #<id>" when the module has no such text: what a
// message box shows.
AStr DisplayText(unsigned id);
// Menu `id` of the language module (a menu handle on Windows); null when
// there is none.
void* LoadMenu(unsigned id);

// One argument of a printf-style format: a number or a text.
class FormatArg {
  public:
    FormatArg(int v) : number_(v) {}       // NOLINT: the arguments convert implicitly
    FormatArg(unsigned v) : number_(v) {}  // NOLINT
    FormatArg(long v) : number_(v) {}      // NOLINT
    FormatArg(unsigned long v) : number_(static_cast<long long>(v)) {}  // NOLINT
    FormatArg(long long v) : number_(v) {}                              // NOLINT
    FormatArg(const char* s) : text_(s ? s : ""), isText_(true) {}      // NOLINT
    FormatArg(const AStr& s) : text_(s.c_str()), isText_(true) {}       // NOLINT
    long long Number() const { return isText_ ? 0 : number_; }
    const char* Text() const { return isText_ ? text_ : ""; }
    bool IsText() const { return isText_; }

  private:
    long long number_ = 0;
    const char* text_ = "";
    bool isText_ = false;
};

// printf-style formatting of a format that comes from outside the program
// (a language module): %d %i %u %x %X %c %s %% with flags, width,
// precision and the size letters h l ll I64 are understood; a missing
// argument reads as 0 or "", a text given for a number as 0 and a number
// given for a text as its decimal form, so no format can misread memory.
AStr FormatWith(const char* format, std::initializer_list<FormatArg> args);

// LoadText(id) formatted with the arguments.
template <typename... Args>
AStr FormatText(unsigned id, const Args&... args) {
    return FormatWith(LoadText(id).c_str(), {FormatArg(args)...});
}

// The text shown for a result or error code: the module's string code + 50,
// else the system's message, else "No error" (0) or "%sError #%d (0x%x)"
// with a prefix by range. At most 255 bytes.
AStr ErrorText(int32_t code);
// The fallback form of ErrorText alone (no module, no system text).
AStr NumberedErrorText(int32_t code);
// The words of an HTTP status of 400 and up (module strings 20000 + status -
// 400 for 400 to 417, 20020 + status - 500 for 500 to 505); empty otherwise.
AStr HttpStatusText(int32_t status);
// A check's failure as the user reads it: ErrorText of the code; for an HTTP
// status of 400 and up (code -1) followed by "(HTTP status words)"; and
// when the server gave a reply of its own (a mail server's refusal),
// followed by ": " and that reply.
AStr CheckErrorText(int32_t code, int32_t detail, const char* serverReply = nullptr);
// The text for a program that could not be run: the module's string
// code + 1, else "Error #%d running programm".
AStr ProgramErrorText(int code);

// Windows locale identifiers for dates and times by language code: 1033
// for "enu", 1049 for "rus", 1031 for "ger", the user's default (1024)
// otherwise.
uint32_t LocaleForLanguage(const char* code);
// The locale of the loaded language, chosen once at the first call.
uint32_t DateTimeLocale();

// The language modules in a folder: the files matching a pattern whose
// names are "ov" + three characters + an extension. With a required string
// identifier only files that load as libraries and hold that string count;
// without one every such file counts (help files are not libraries).
class EnumLangFiles {
  public:
    EnumLangFiles(const char* directory, const char* pattern, unsigned requiredId);
    ~EnumLangFiles();
    EnumLangFiles(const EnumLangFiles&) = delete;
    EnumLangFiles& operator=(const EnumLangFiles&) = delete;

    bool IsValid() const { return valid_; }
    bool Next();
    // The current file's name (without folder), full path and language name
    // (the required string; empty when none is required).
    const std::string& Name() const { return name_; }
    std::string Path() const;
    const AStr& LanguageName() const { return languageName_; }

  private:
    bool Accept();
    bool Advance(bool first);

    std::string directory_;
    std::string pattern_;
    unsigned requiredId_;
    intptr_t search_;
    bool valid_ = false;
    std::string name_;
    AStr languageName_;
};

// The string resource `id` of a given module (the language module or one
// under test).
AStr LoadModuleText(void* module, unsigned id, size_t size = 1024);
