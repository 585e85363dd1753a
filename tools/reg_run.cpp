#include "tools/reg_run.h"

#include <iostream>

#include "quorvane_version.h"
#include "store/open_failure.h"
#include "tools/reg_console.h"
#include "tools/reg_texts.h"

namespace quorvane::tools {

int RunRegCommand(const RegCommand& command, CommandStore& store, std::istream& in,
                  std::ostream& out, std::ostream& err, bool console) {
  const CommandRow& row = CommandOf(command.operation);
  return row.run({command, row.store == StoreUse::None ? nullptr : &store, in, out, err, console});
}

int QuorvaneReg(const std::vector<std::string>& args, bool console, std::istream& in,
                std::ostream& out, std::ostream& err) {
  const RegParse parse = ParseRegArguments(args);
  switch (parse.outcome) {
    case RegParse::Outcome::Help:
      out << parse.message;
      return Delivered(0, out, err);
    case RegParse::Outcome::Version:
      out << text::kProgramName << QUORVANE_VERSION_MAJOR << "." << QUORVANE_VERSION_MINOR << "."
          << QUORVANE_VERSION_REVISION << "\n";
      return Delivered(0, out, err);
    case RegParse::Outcome::Error:
      err << parse.message << "\n";
      return 1;
    case RegParse::Outcome::Run:
      break;
  }
  const CommandRow& row = CommandOf(parse.command.operation);
  try {
    std::unique_ptr<CommandStore> store;
    if (row.store != StoreUse::None) {
      if (const store::Status status = OpenCommandStore(row.store, &store);
          status != store::kSuccess) {
        return Fail(err, status);
      }
    }
    const int code = row.run({parse.command, store.get(), in, out, err, console});
    if (store && code != 0) ExplainFailure(*store, err);
    return Delivered(code, out, err);
  } catch (const store::RegistryOpenError& error) {
    err << text::kErrorPrefix << error.what() << "\n";
    return 1;
  }
}

}  // namespace quorvane::tools
