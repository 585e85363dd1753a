#include "engine/operation.h"

#include "store/catalogue.h"

namespace quorvane::engine {

Operation::~Operation() { Busy(false); }

void Operation::Busy(bool busy) {
  if (busy_ == busy) return;
  busy_ = busy;
  questions_.ShowBusy(busy);
}

template <typename Call>
store::Status Operation::Guarded(Call call) {
  if (inUse_) return store::kInUse;
  Busy(true);
  const store::Status status = call();
  inUse_ = status == store::kInUse;
  return status;
}

store::WriteResult Operation::WriteText(const std::string& path, const std::string& name,
                                        const std::string& data) {
  return {Guarded([&] { return registry_.WriteText(store::kRoot, path, name, data).status; })};
}

store::WriteResult Operation::WriteNumber(const std::string& path, const std::string& name,
                                          std::int32_t data) {
  return {Guarded([&] { return registry_.WriteNumber(store::kRoot, path, name, data).status; })};
}

store::WriteResult Operation::WriteValue(const std::string& path, const std::string& name,
                                         const store::TypedValue& value) {
  return {Guarded([&] { return registry_.WriteValue(store::kRoot, path, name, value).status; })};
}

store::WriteResult Operation::RemoveValue(const std::string& path, const std::string& name) {
  return {Guarded([&] { return registry_.RemoveValue(store::kRoot, path, name).status; })};
}

store::Status Operation::QueryValue(const std::string& path, const std::string& name,
                                    store::TypedValue* value) {
  return Guarded([&] { return registry_.QueryValue(store::kRoot, path, name, value); });
}

store::Status Operation::LookAt(const std::string& path, const std::string& name,
                                store::TypedValue* value) {
  Busy(true);
  return registry_.QueryValue(store::kRoot, path, name, value);
}

Answer Operation::Ask(Question question) {
  Busy(false);
  return questions_.Ask(question);
}

}  // namespace quorvane::engine
