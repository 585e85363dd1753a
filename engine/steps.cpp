#include "engine/steps.h"

#include <cstring>
#include <utility>
#include <vector>

namespace quorvane::engine {

Reading ReadValue(const store::Registry& registry, const std::string& path,
                  const std::string& name) {
  store::TypedValue value;
  const store::Status status = registry.QueryValue(store::kRoot, path, name, &value);
  if (status == store::kNotFound) return {};
  if (status != store::kSuccess) return {std::nullopt, status};
  return {std::move(value)};
}

std::optional<std::string> TextOf(const Held& value) {
  if (!value || value->type != store::kTypeText) return std::nullopt;
  const std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

store::TypedValue TextValue(const std::string& text) {
  store::TypedValue value{store::kTypeText, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

store::TypedValue NumberValue(std::int32_t number) {
  store::TypedValue value{store::kTypeNumber, std::vector<std::uint8_t>(sizeof number)};
  std::memcpy(value.data.data(), &number, sizeof number);
  return value;
}

store::Status NoteFound(Step& step, store::Status read, store::TypedValue value) {
  if (read == store::kNotFound) {
    step.found = Found::Absent;
    return store::kSuccess;
  }
  if (read != store::kSuccess) return read;
  step.found = Found::Value;
  step.before = std::move(value);
  return store::kSuccess;
}

}  // namespace quorvane::engine
