// The checks of a dialog page's fields when the user leaves it forward:
// the text of an input field must read as the number or text its
// procedure asks for.  The messages may be replaced by the language file.
#pragma once

#include <optional>
#include <string>

#include "tornel/base/language_file.h"
#include "tornel/dialogs/dialog_def.h"

namespace tornel {

inline constexpr int kLangValuesSaved = 9;
inline constexpr int kLangEnterNumber = 10;
inline constexpr int kLangEnterInteger = 11;
inline constexpr int kLangEnterIntegerBetween = 12;
inline constexpr int kLangEnterNumberBetween = 13;
inline constexpr int kLangEnterAtLeast = 14;
inline constexpr const char* kMsgValuesSaved = "Values saved permanently.";
inline constexpr const char* kMsgEnterNumber = "Please enter a number.";
inline constexpr const char* kMsgEnterInteger = "Please enter an integer.";
inline constexpr const char* kMsgEnterIntegerBetween = "Please enter an integer between %d and %d.";
inline constexpr const char* kMsgEnterNumberBetween = "Please enter a number between %s and %s.";
inline constexpr const char* kMsgEnterAtLeast = "Please enter at least %d characters.";

// The message that refuses `text` in the field `item`, or nullopt when it
// passes.  Items that are no input fields always pass.
std::optional<std::string> CheckField(const DialogItem& item, const std::string& text,
                                      const LanguageTable& lang);

// The number an input field's text gives (after CheckField passed).
double FieldNumber(const std::string& text);

// A bound as the range message writes it: "%.9f" without trailing zeros
// and point ("0.5", "2").
std::string BoundText(double value);

}  // namespace tornel
