#include "tornel/dialogs/field_checks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tornel/base/diagnostics.h"

namespace tornel {

namespace {

// Only "+-.0123456789", and the whole text a number.
bool ReadsAsNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  for (char c : text) {
    if (std::string_view("+-.0123456789").find(c) == std::string_view::npos) return false;
  }
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

std::string Text(const LanguageTable& lang, int entry, const char* builtin) {
  return std::string(LangText(lang, entry, builtin));
}

}  // namespace

std::string BoundText(double value) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.9f", value);
  std::string s = buf;
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

double FieldNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::optional<std::string> CheckField(const DialogItem& item, const std::string& text,
                                      const LanguageTable& lang) {
  bool ranged = item.has_limits && item.min != item.max;
  switch (item.kind) {
    case ItemKind::kInputInt: {
      double value = 0;
      if (!ReadsAsNumber(text, value)) return Text(lang, kLangEnterNumber, kMsgEnterNumber);
      if (ranged && (value < item.min || value > item.max)) {
        return FormatMessage(Text(lang, kLangEnterIntegerBetween, kMsgEnterIntegerBetween),
                             {std::to_string(static_cast<long long>(item.min)),
                              std::to_string(static_cast<long long>(item.max))});
      }
      if (value != std::trunc(value)) return Text(lang, kLangEnterInteger, kMsgEnterInteger);
      return std::nullopt;
    }
    case ItemKind::kInputReal: {
      double value = 0;
      if (!ReadsAsNumber(text, value)) return Text(lang, kLangEnterNumber, kMsgEnterNumber);
      if (ranged && (value < item.min || value > item.max)) {
        return FormatMessage(Text(lang, kLangEnterNumberBetween, kMsgEnterNumberBetween),
                             {BoundText(item.min), BoundText(item.max)});
      }
      return std::nullopt;
    }
    case ItemKind::kInputStr:
      if (item.has_limits && item.min > 0 && static_cast<double>(text.size()) < item.min) {
        return FormatMessage(Text(lang, kLangEnterAtLeast, kMsgEnterAtLeast),
                             {std::to_string(static_cast<long long>(item.min))});
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace tornel
