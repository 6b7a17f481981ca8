#pragma once

#include <QString>

namespace BrioAccount {

// Everything the account library needs to know from the application; it reads no
// environment of its own.
struct ClientConfig
{
    QString authBaseUrl;        // authentication service, for its API and the browser login
    QString realmSlug;          // this application's realm on the authentication service
    QString accountApiUrl;      // account service base URL, including its path
    QString clientId;           // sent with the browser login
    QString applicationId;      // "X-App-Id", credential service name, device registration
    QString applicationName;    // display name
    QString applicationVersion; // "X-App-Version", device registration
    QString platform;           // "X-Platform" override; empty means the running system
    QString accountPortalUrl;   // account web portal
};

} // namespace BrioAccount
