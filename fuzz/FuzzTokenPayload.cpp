// A token as the authentication service hands it out: its payload decides when
// the token is refreshed, whose pull cursor is kept and the user's group role.
#include "FuzzSupport.h"
#include "TokenPayload.h"
#include "TovClaims.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace BrioAccount;
    const QString token = QString::fromUtf8(FuzzSupport::bytes(data, size));
    const QJsonObject payload = TokenPayload::decode(token);
    // The refresh timer adds to the expiry in milliseconds: it must stay far from overflow.
    const qint64 expiry = TokenPayload::expiry(payload);
    if (expiry < 0 || expiry > qint64(4e15))
        std::abort();
    TokenPayload::subject(payload);
    TovClaims::fromToken(token).isOwner();
    return 0;
}
