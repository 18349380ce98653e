#pragma once
// The actions a session can perform, by name. Each takes the arguments that follow its name in the
// action array and performs what a user would do, through real input events. To add an action, add
// a function and a row to the table in actions.cpp.

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace corvane::session {

class Session;

// The error text when the action was refused (nothing done), or nothing.
using ActionFunction = std::function<std::optional<std::string>(Session& session, const nlohmann::json& arguments)>;

const std::map<std::string, ActionFunction, std::less<>>& ActionTable();

// Thrown by an action for arguments it cannot take, before it does anything.
class BadArguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace corvane::session
