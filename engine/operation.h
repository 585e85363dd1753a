// One operation that the user started (a first run, an optimise, an Apply,
// a restore), as the registry sees it: its writes, and the busy pointer
// while they run.
//
// A store that another program holds makes a write wait before it fails.
// An operation waits at most once: after one of its calls has failed
// because the store is in use, its later calls fail at once with the same
// status, reaching no store, so a box can name them all without the user
// waiting for each in turn.
#pragma once

#include <cstdint>
#include <string>

#include "engine/user_dialogs.h"
#include "store/registry.h"

namespace quorvane::engine {

class Operation {
 public:
  Operation(const store::Registry& registry, UserDialogs& dialogs)
      : registry_(registry), dialogs_(dialogs) {}
  // Ends the busy pointer.
  ~Operation();
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

  // The registry's procedures of the same names, each with the busy
  // pointer shown while it runs.
  store::WriteResult WriteText(const std::string& path, const std::string& name,
                               const std::string& data);
  store::WriteResult WriteNumber(const std::string& path, const std::string& name,
                                 std::int32_t data);
  store::WriteResult WriteValue(const std::string& path, const std::string& name,
                                const store::TypedValue& value);
  store::WriteResult RemoveValue(const std::string& path, const std::string& name);
  [[nodiscard]] store::Status QueryValue(const std::string& path, const std::string& name,
                                         store::TypedValue* value);

  // Ends the busy pointer, then shows the box and returns the answer.
  Answer Show(const Message& message);
  void ShowFinished();

 private:
  // Runs call unless the store was found in use; remembers when it is.
  template <typename Call>
  store::Status Guarded(Call call);
  void Busy(bool busy);

  const store::Registry& registry_;
  UserDialogs& dialogs_;
  bool inUse_ = false;
  bool busy_ = false;
};

}  // namespace quorvane::engine
