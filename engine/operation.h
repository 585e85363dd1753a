// One operation that the user started (a first run, an optimise, an Apply,
// a restore), as the registry sees it: its writes, the busy pointer while
// they run, and the questions it asks on the way.
//
// A store that another program holds makes a write wait before it fails.
// An operation waits at most once: after one of its calls has failed
// because the store is in use, its later calls fail at once with the same
// status, reaching no store, so its outcome can name them all without the
// user waiting for each in turn.
#pragma once

#include <cstdint>
#include <string>

#include "engine/questions.h"
#include "store/registry.h"

namespace quorvane::engine {

class Operation {
 public:
  Operation(const store::Registry& registry, Questions& questions)
      : registry_(registry), questions_(questions) {}
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
  // As QueryValue, for a read that only tells what a write will replace:
  // it neither stops at nor finds a store in use, so that the writes go as
  // they would without it.
  [[nodiscard]] store::Status LookAt(const std::string& path, const std::string& name,
                                     store::TypedValue* value);

  // Ends the busy pointer, then asks and returns the answer.
  Answer Ask(Question question);

 private:
  // Runs call unless the store was found in use; remembers when it is.
  template <typename Call>
  store::Status Guarded(Call call);
  void Busy(bool busy);

  const store::Registry& registry_;
  Questions& questions_;
  bool inUse_ = false;
  bool busy_ = false;
};

}  // namespace quorvane::engine
