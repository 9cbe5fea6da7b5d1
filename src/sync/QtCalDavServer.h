// The CalDAV server over Qt Network: HTTP or HTTPS with basic authentication, each request run to
// its end (or to the timeout) in a local event loop, multistatus answers read with
// QXmlStreamReader. Needs a QCoreApplication (MakeQtCalDavServer makes one when there is none).
#pragma once

#include <memory>

#include "sync/CalDavServer.h"

namespace kal::sync {

std::unique_ptr<CalDavServer> MakeQtCalDavServer(const ServerAccount& account);

// The same with a timeout of its own per request, in milliseconds.
std::unique_ptr<CalDavServer> MakeQtCalDavServer(const ServerAccount& account, int timeout_ms);

}  // namespace kal::sync
