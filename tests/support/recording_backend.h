// A backend that passes every call on to another one, writes down each call
// in order, and fails the calls a test chooses.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::testing {

class RecordingBackend : public store::RegistryBackend {
 public:
  // One line per call: "open PATH", "create PATH", "query NAME",
  // "set NAME", "delete NAME", "close".
  std::vector<std::string> calls;

  // Asked before each call with that call's line; true makes the call fail
  // without reaching the inner backend, with the status that refusal answers
  // for that line.
  std::function<bool(const std::string& call)> fail = [](const std::string&) { return false; };
  std::function<store::Status(const std::string& call)> refusal = [](const std::string&) {
    return store::kAccessDenied;
  };

  explicit RecordingBackend(store::RegistryBackend& inner) : inner_(inner) {}

  store::Status OpenKey(store::RootKey root, const std::string& path,
                        store::KeyHandle* key) override {
    if (Refused("open " + path)) {
      *key = store::kNoKey;
      return refusal("open " + path);
    }
    return inner_.OpenKey(root, path, key);
  }
  store::Status CreateKey(store::RootKey root, const std::string& path,
                          store::KeyHandle* key) override {
    if (Refused("create " + path)) {
      *key = store::kNoKey;
      return refusal("create " + path);
    }
    return inner_.CreateKey(root, path, key);
  }
  store::Status QueryValue(store::KeyHandle key, const std::string& name, store::ValueType* type,
                           std::uint8_t* data, std::uint32_t* size) override {
    if (Refused("query " + name)) return refusal("query " + name);
    return inner_.QueryValue(key, name, type, data, size);
  }
  store::Status SetValue(store::KeyHandle key, const std::string& name, store::ValueType type,
                         const std::uint8_t* data, std::uint32_t size) override {
    if (Refused("set " + name)) return refusal("set " + name);
    return inner_.SetValue(key, name, type, data, size);
  }
  // The exact copy's calls are written down as the others' are.
  store::Status QueryValueExactly(store::KeyHandle key, const std::string& name,
                                  store::ValueType* type, std::uint8_t* data,
                                  std::uint32_t* size) override {
    if (Refused("query " + name)) return refusal("query " + name);
    return inner_.QueryValueExactly(key, name, type, data, size);
  }
  store::Status SetValueExactly(store::KeyHandle key, const std::string& name,
                                store::ValueType type, const std::uint8_t* data,
                                std::uint32_t size) override {
    if (Refused("set " + name)) return refusal("set " + name);
    return inner_.SetValueExactly(key, name, type, data, size);
  }
  // A write's transaction, where the inner backend has one.
  store::Status BeginWrite() override { return inner_.BeginWrite(); }
  store::Status EndWrite(bool keep) override { return inner_.EndWrite(keep); }
  store::Status DeleteValue(store::KeyHandle key, const std::string& name) override {
    if (Refused("delete " + name)) return refusal("delete " + name);
    return inner_.DeleteValue(key, name);
  }
  store::Status CloseKey(store::KeyHandle key) override {
    calls.push_back("close");
    return inner_.CloseKey(key);
  }

  // The calls of one kind only ("set", "delete", ...), without the kind.
  std::vector<std::string> Only(const std::string& kind) const {
    std::vector<std::string> picked;
    const std::string prefix = kind + " ";
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) picked.push_back(call.substr(prefix.size()));
    }
    return picked;
  }

 private:
  bool Refused(const std::string& call) {
    calls.push_back(call);
    return fail(call);
  }

  store::RegistryBackend& inner_;
};

}  // namespace quorvane::testing
