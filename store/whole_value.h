// Reading a value whole through a backend: its type and size, then its
// data, asked for again with the size it then needs for as long as another
// program makes it longer in between. The one read loop above the backends.
#pragma once

#include <string>

#include "store/registry.h"
#include "store/registry_backend.h"

namespace quorvane::store {

// Which of the backend's calls read the value.
enum class ValueCalls {
  Own,      // QueryValue: the settings' own text procedures
  Exactly,  // QueryValueExactly: a copy that keeps every character
};

// Reads the value name of the open key into *value (set only on kSuccess).
// With textOnly, a value of another type is left unread and answers
// kNotFound. Otherwise the status of the query that failed.
[[nodiscard]] Status ReadWholeValue(RegistryBackend& backend, KeyHandle key,
                                    const std::string& name, ValueCalls calls, bool textOnly,
                                    TypedValue* value);

}  // namespace quorvane::store
