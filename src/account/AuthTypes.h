#pragma once

namespace BrioAccount {

// Sign-in state of the account library. 2 is never used, so SignedIn keeps its value 3.
enum class AuthState
{
    Initial = 0,
    SignedOut = 1,
    SignedIn = 3,
};

// Outcome of a token refresh as the waiting requests see it.
enum class RefreshResult
{
    Success = 0,
    Rejected = 1,
    TransientFailure = 2,
};

} // namespace BrioAccount
