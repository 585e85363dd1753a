// What a status means, in the words of each front end that tells it: the
// windows' failure boxes and quorvane-reg. Every status that a front end
// puts into words is looked up here, in one table (status_words.cpp);
// each front end composes its own sentences around these.
#pragma once

#include <string>

#include "store/registry_backend.h"

namespace quorvane::store {

// The window's sentence for status; any other status is told by its
// number: "Windows reported error 87.".
std::string WindowReason(Status status);

// A status that no words tell, by its number, without a closing stop:
// "Windows reported error 87".
std::string StatusNumberWords(Status status);

// quorvane-reg's words for status, to follow "ERROR: "; any other status
// is reg.exe's input/output failure.
std::string CommandLineReason(Status status);

// Why the registry cannot be opened, for status and the errno that says
// more (0 for none): the status's words, else the errno's, else an
// input/output error.
std::string UnopenedReason(Status status, int systemError);

}  // namespace quorvane::store
