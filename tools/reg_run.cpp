#include "tools/reg_run.h"

#include <cctype>
#include <iostream>
#include <memory>

#include "quorvane_version.h"
#include "store/platform_registry.h"
#include "store/portable_registry_path.h"
#include "store/sqlite_store_file.h"
#include "store/status_words.h"
#include "tools/reg_commands.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
using store::SqliteRegistry;
using store::Status;

// What was asked for is not done until it is read.
int Delivered(int code, std::ostream& out, std::ostream& err) {
  if (out.flush()) return code;
  err << text::kOutputFailed << "\n";
  return 1;
}

int Fail(std::ostream& err, Status status) {
  err << text::kErrorPrefix << store::CommandLineReason(status) << "\n";
  return 1;
}

bool Confirm(std::istream& in, std::ostream& out, const std::string& question) {
  std::string answer;
  for (;;) {
    out << question << std::flush;
    if (!std::getline(in, answer)) {
      out << "\n";
      return false;
    }
    std::string word;
    for (const char c : answer) {
      if (!std::isspace(static_cast<unsigned char>(c))) {
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    if (word == "y" || word == "yes") return true;
    if (word == "n" || word == "no") return false;
  }
}

int RunRegCommand(const RegCommand& command, SqliteRegistry& store, std::istream& in,
                  std::ostream& out, std::ostream& err) {
  const CommandRow& row = CommandOf(command.operation);
  return row.run({command, row.store == StoreUse::None ? nullptr : &store, in, out, err});
}

int QuorvaneReg(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  const RegParse parse = ParseRegArguments(args);
  switch (parse.outcome) {
    case RegParse::Outcome::Help:
      out << parse.message;
      return 0;
    case RegParse::Outcome::Version:
      out << text::kProgramName << QUORVANE_VERSION_MAJOR << "." << QUORVANE_VERSION_MINOR << "."
          << QUORVANE_VERSION_REVISION << "\n";
      return 0;
    case RegParse::Outcome::Error:
      err << parse.message << "\n";
      return 1;
    case RegParse::Outcome::Run:
      break;
  }
  const CommandRow& row = CommandOf(parse.command.operation);
  try {
    std::unique_ptr<SqliteRegistry> store;
    if (row.store != StoreUse::None) {
      // Nothing to find in a store that does not exist yet, even where it
      // could not be made.
      const auto path = store::PortableRegistryPath(store::CurrentRegistryEnvironment());
      if (row.store == StoreUse::Existing && path &&
          store::LookAt(store::AbsoluteStorePath(*path)).kind == store::StoreFile::Kind::Missing) {
        return Fail(err, store::kNotFound);
      }
      store = store::OpenDefaultSqliteRegistry();
    }
    const int code = row.run({parse.command, store.get(), in, out, err});
    // Which names keep an older store from being written, after the
    // failure that says so.
    if (const auto collision = store ? store->ConversionCollision() : std::nullopt;
        collision && code != 0) {
      TellCollision(err, *collision);
    }
    return Delivered(code, out, err);
  } catch (const store::RegistryOpenError& error) {
    err << text::kErrorPrefix << error.what() << "\n";
    return 1;
  }
}

}  // namespace quorvane::tools
