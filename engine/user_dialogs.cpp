#include "engine/user_dialogs.h"

#include "engine/messages.h"

namespace quorvane::engine {

Answer UserDialogs::Ask(Question question) { return Show(QuestionMessage(question)); }

}  // namespace quorvane::engine
