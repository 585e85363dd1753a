#include "tools/reg_preset.h"

#include <algorithm>
#include <iostream>

#include "engine/presets.h"
#include "engine/quick_optimise.h"
#include "store/catalogue.h"
#include "store/registry_names.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
namespace {

bool IsWord(const std::string& arg, const char* word) {
  return store::FoldedName(arg) == store::FoldedName(word);
}

}  // namespace

// The program's presets, read through the catalogue's locations: the file
// and Optimise cannot differ.
std::optional<std::vector<RegFileKey>> PresetKeys(const std::string& connectionType) {
  const auto column = engine::PresetColumnOf(connectionType);
  if (!column) return std::nullopt;

  std::vector<RegFileKey> keys;
  for (const engine::PresetRow& row : engine::kPresets) {
    const store::Setting& setting = store::SettingOf(row.setting);
    const std::string path = WithoutTrailingBackslashes(setting.key);
    auto key = std::find_if(keys.begin(), keys.end(),
                            [&](const RegFileKey& known) { return known.path == path; });
    if (key == keys.end()) key = keys.insert(keys.end(), RegFileKey{path, false, {}, 0});
    const std::string text = row.values[*column];
    key->values.push_back(
        {setting.valueName, false, store::kTypeText, {text.begin(), text.end()}, 0});
  }
  return keys;
}

bool IsPresetCommand(const std::vector<std::string>& args) {
  return !args.empty() && IsWord(args[0], "preset");
}

int RunPreset(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
  if (args.size() == 2 && (args[1] == "/?" || args[1] == "-?")) {
    out << text::kUsage;
    return 0;
  }
  const bool force = args.size() == 4 && (IsWord(args[3], "/y") || IsWord(args[3], "-y"));
  if (args.size() != 3 && !force) {
    err << text::kInvalidSyntax << "\n"
        << text::kUsageHintBefore << " PRESET" << text::kUsageHintAfter << "\n";
    return 1;
  }
  const auto keys = PresetKeys(args[1]);
  if (!keys) {
    err << text::kUnknownTypeBefore << args[1] << text::kUnknownTypeAfter;
    const char* separator = "";
    for (const char* name : engine::kConnectionTypes) {
      err << separator << "\"" << name << "\"";
      separator = ", ";
    }
    err << ".\n";
    return 1;
  }
  return Delivered(WriteFileAsked(args[2], WriteRegFile(*keys), force, in, out, err), out, err);
}

}  // namespace quorvane::tools
