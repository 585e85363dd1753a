// A control's name, from one source: its enumerator in its window's Id. The
// name is the enumerator's own spelling, with a trailing "_N" written as
// the design writes an array's member: shpRect_1 is "shpRect(1)". So no
// table spells a control a second time, and nothing can disagree.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace quorvane::ui {
namespace control_names_detail {

// The compiler's spelling of a function that carries the enumerator in its
// signature: "... [with auto V = quorvane::ui::FormControl::Label1; ...]"
// (GCC) or "... [V = quorvane::ui::FormControl::Label1]" (Clang).
template <auto V>
constexpr std::string_view Signature() {
  return __PRETTY_FUNCTION__;
}

constexpr std::string_view Spelling(std::string_view signature) {
  const std::size_t start = signature.find("V = ") + 4;
  const std::size_t end = signature.find_first_of(";]", start);
  const std::string_view qualified = signature.substr(start, end - start);
  return qualified.substr(qualified.rfind("::") + 2);
}

// The spelling with "_N" written "(N)", and its length.
template <std::size_t N>
constexpr std::array<char, N + 3> Written(std::string_view spelling) {
  std::array<char, N + 3> text{};
  const std::size_t mark = spelling.rfind('_');
  const bool array = mark != std::string_view::npos && mark + 1 < spelling.size() &&
                     spelling.substr(mark + 1).find_first_not_of("0123456789") ==
                         std::string_view::npos;
  std::size_t at = 0;
  for (std::size_t i = 0; i < spelling.size(); ++i) {
    if (array && i == mark) {
      text[at++] = '(';
    } else {
      text[at++] = spelling[i];
    }
  }
  if (array) text[at++] = ')';
  return text;  // NUL-terminated: the array is two longer than needed
}

template <auto V>
struct Name {
  static constexpr std::string_view spelling = Spelling(Signature<V>());
  static constexpr std::array<char, spelling.size() + 3> text = Written<spelling.size()>(spelling);
};

template <typename Id, std::size_t... I>
constexpr std::array<const char*, sizeof...(I)> NamesOf(std::index_sequence<I...>) {
  return {Name<static_cast<Id>(I)>::text.data()...};
}

}  // namespace control_names_detail

// The names of every control of a window whose Id ends in Window, in Id
// order.
template <typename Id>
inline constexpr auto kControlNames = control_names_detail::NamesOf<Id>(
    std::make_index_sequence<static_cast<std::size_t>(Id::Window)>());

template <typename Id>
constexpr const char* NameOf(Id control) {
  return kControlNames<Id>[static_cast<std::size_t>(control)];
}

}  // namespace quorvane::ui
