// What an operation did, step by step: for each setting it took in turn,
// what it found, what it wrote or removed, and how that went. Each
// operation answers its steps in the order it took them, for each front
// end to tell in its own way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// A value as the registry holds it, type and bytes; nullopt where none is
// set.
using Held = std::optional<store::TypedValue>;

// A value read: the value, or nullopt where none is set; or, when status
// is not kSuccess, why it could not be read.
struct Reading {
  Held value;
  store::Status status = store::kSuccess;
};

// The value at (path, name) below the root, whatever its type.
Reading ReadValue(const store::Registry& registry, const std::string& path,
                  const std::string& name);

// The text of a text value (REG_SZ) up to its first NUL, as the panes read
// it; nullopt for a value of any other type, or none.
std::optional<std::string> TextOf(const Held& value);

// A text as the registry holds it once WriteText has written it (its
// bytes and the terminating NUL), and a number as WriteNumber stores it.
store::TypedValue TextValue(const std::string& text);
store::TypedValue NumberValue(std::int32_t number);

// Where a step writes or removes.
enum class Place {
  Live,    // the setting's own value
  Backup,  // its copy in the backup key
};

// What a step found where its operation reads before it acts.
enum class Found {
  Unknown,  // it reads nothing first (an Apply), or the read failed
  Absent,   // nothing was set there
  Value,    // Step::before holds what was there
};

enum class Action {
  None,    // it wrote nothing: nothing to put back, or its read failed
  Write,   // it wrote Step::written
  Remove,  // it removed the value
};

struct Step {
  store::SettingId setting;
  Place place = Place::Live;
  // Where the operation reads before it acts: the live value that the
  // first run backs up, the live value that the optimise replaces, the
  // copy that the restore puts back.
  Found found = Found::Unknown;
  store::TypedValue before{};
  Action action = Action::None;
  store::TypedValue written{};
  // kSuccess, or why the step failed: the status of its write or removal,
  // or of its read when that failed and it wrote nothing.
  store::Status status = store::kSuccess;

  bool Failed() const { return status != store::kSuccess; }
};

// Notes in step what a read found (read: the read's status, value: what it
// read on kSuccess). Answers the status of a read that failed for another
// reason than an absent value, else kSuccess.
[[nodiscard]] store::Status NoteFound(Step& step, store::Status read, store::TypedValue value);

}  // namespace quorvane::engine
