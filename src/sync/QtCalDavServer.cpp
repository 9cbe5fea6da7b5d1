#include "sync/QtCalDavServer.h"

#include <QAuthenticator>
#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

namespace kal::sync {
namespace {

constexpr int kDefaultTimeoutMs = 30000;

struct HttpAnswer {
  int status = 0;
  QByteArray body;
  QByteArray etag;
};

// One property of a multistatus answer: its text, the hrefs inside it and the names of its
// child elements (a resourcetype's "collection", "calendar").
struct PropValue {
  QString text;
  QStringList hrefs;
  QStringList children;
};

struct DavResponse {
  QString href;
  QMap<QString, PropValue> props;  // by local name, only those the server answered with 200
};

QList<DavResponse> ParseMultistatus(const QByteArray& xml) {
  QList<DavResponse> out;
  QXmlStreamReader r(xml);
  DavResponse current;
  QMap<QString, PropValue> propstat_props;
  bool propstat_ok = true;
  QStringList path;  // local names of the open elements
  QString prop_name;
  while (!r.atEnd()) {
    r.readNext();
    if (r.isStartElement()) {
      const QString name = r.name().toString();
      path << name;
      const int depth = path.size();
      if (name == QLatin1String("response")) {
        current = DavResponse{};
      } else if (name == QLatin1String("propstat")) {
        propstat_props.clear();
        propstat_ok = true;
      } else if (depth >= 2 && path[depth - 2] == QLatin1String("prop")) {
        prop_name = name;
        propstat_props[prop_name];
      } else if (!prop_name.isEmpty() && depth >= 3 && path[depth - 3] == QLatin1String("prop")) {
        if (name != QLatin1String("href")) propstat_props[prop_name].children << name;
      }
    } else if (r.isCharacters()) {
      const QString text = r.text().toString();
      const int depth = path.size();
      if (depth == 0) continue;
      const QString& name = path.last();
      if (name == QLatin1String("href") && depth >= 2 && path[depth - 2] == QLatin1String("response")) {
        current.href += text.trimmed();
      } else if (name == QLatin1String("status") && depth >= 2 && path[depth - 2] == QLatin1String("propstat")) {
        propstat_ok = text.contains(QLatin1String(" 200"));
      } else if (!prop_name.isEmpty()) {
        if (name == QLatin1String("href")) propstat_props[prop_name].hrefs << text.trimmed();
        else if (name == prop_name) propstat_props[prop_name].text += text;
      }
    } else if (r.isEndElement()) {
      const QString name = path.isEmpty() ? QString() : path.takeLast();
      if (name == prop_name && !path.isEmpty() && path.last() == QLatin1String("prop")) prop_name.clear();
      if (name == QLatin1String("propstat") && propstat_ok) {
        for (auto it = propstat_props.begin(); it != propstat_props.end(); ++it) current.props[it.key()] = it.value();
      } else if (name == QLatin1String("response")) {
        out << current;
      }
    }
  }
  if (r.hasError()) throw ServerError(0, "サーバーの応答が読めません: " + r.errorString().toStdString());
  return out;
}

class QtCalDavServer : public CalDavServer {
 public:
  QtCalDavServer(const ServerAccount& account, int timeout_ms)
      : base_(QUrl::fromUserInput(QString::fromStdString(account.url))), timeout_ms_(timeout_ms) {
    auth_ = "Basic " + QByteArray(account.user.c_str()).append(':').append(account.password.c_str()).toBase64();
    if (!base_.path().endsWith(QLatin1Char('/'))) base_.setPath(base_.path() + QLatin1Char('/'));
  }

  std::vector<CalendarInfo> Calendars() override {
    static const QByteArray self =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
        "<d:resourcetype/><d:displayname/><d:current-user-principal/><c:calendar-home-set/>"
        "</d:prop></d:propfind>";
    const QList<DavResponse> start = Dav("PROPFIND", base_, "0", self);
    std::vector<CalendarInfo> out;
    QString home;
    QString principal;
    for (const DavResponse& r : start) {
      if (IsCalendar(r)) out.push_back({PathOf(r.href), r.props.value(QStringLiteral("displayname")).text.toStdString()});
      const QStringList homes = r.props.value(QStringLiteral("calendar-home-set")).hrefs;
      if (!homes.isEmpty()) home = homes.first();
      const QStringList principals = r.props.value(QStringLiteral("current-user-principal")).hrefs;
      if (!principals.isEmpty()) principal = principals.first();
    }
    if (!out.empty()) return out;  // the address is a calendar itself
    if (home.isEmpty() && !principal.isEmpty()) {
      for (const DavResponse& r : Dav("PROPFIND", base_.resolved(QUrl(principal)), "0", self)) {
        const QStringList homes = r.props.value(QStringLiteral("calendar-home-set")).hrefs;
        if (!homes.isEmpty()) home = homes.first();
      }
    }
    const QUrl home_url = home.isEmpty() ? base_ : base_.resolved(QUrl(home));
    static const QByteArray list =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/><d:displayname/></d:prop></d:propfind>";
    for (const DavResponse& r : Dav("PROPFIND", home_url, "1", list)) {
      if (IsCalendar(r)) out.push_back({PathOf(r.href), r.props.value(QStringLiteral("displayname")).text.toStdString()});
    }
    return out;
  }

  std::vector<EventRef> ListEvents(const std::string& calendar_href) override {
    static const QByteArray query =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:prop><d:getetag/></d:prop>"
        "<c:filter><c:comp-filter name=\"VCALENDAR\"><c:comp-filter name=\"VEVENT\"/></c:comp-filter></c:filter>"
        "</c:calendar-query>";
    const std::string collection = PathOf(QString::fromStdString(calendar_href));
    std::vector<EventRef> out;
    for (const DavResponse& r : Dav("REPORT", Url(calendar_href), "1", query)) {
      const std::string href = PathOf(r.href);
      if (href == collection || href.empty() || href.back() == '/') continue;
      out.push_back({href, r.props.value(QStringLiteral("getetag")).text.trimmed().toStdString()});
    }
    return out;
  }

  std::optional<FetchedEvent> Get(const std::string& href) override {
    const HttpAnswer a = Send("GET", Url(href), {}, {});
    if (a.status == 404 || a.status == 410) return std::nullopt;
    Check(a);
    return FetchedEvent{a.body.toStdString(), a.etag.toStdString()};
  }

  std::string Put(const std::string& href, const std::string& body, const std::optional<std::string>& if_match) override {
    QList<QPair<QByteArray, QByteArray>> headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    if (if_match) headers.append(qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(*if_match)));
    else headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
    const HttpAnswer a = Send("PUT", Url(href), headers, QByteArray::fromStdString(body));
    Check(a);
    return a.etag.toStdString();
  }

  void Delete(const std::string& href, const std::string& etag) override {
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!etag.empty()) headers.append(qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(etag)));
    const HttpAnswer a = Send("DELETE", Url(href), headers, {});
    if (a.status == 404 || a.status == 410) return;
    Check(a);
  }

 private:
  static bool IsCalendar(const DavResponse& r) {
    return r.props.value(QStringLiteral("resourcetype")).children.contains(QStringLiteral("calendar"));
  }

  // The path of an href (an href may be a whole URL).
  std::string PathOf(const QString& href) const {
    const QUrl url = base_.resolved(QUrl(href));
    return url.path(QUrl::FullyEncoded).toStdString();
  }

  QUrl Url(const std::string& href) const { return base_.resolved(QUrl(QString::fromStdString(href))); }

  QList<DavResponse> Dav(const QByteArray& method, const QUrl& url, const QByteArray& depth, const QByteArray& body) {
    const HttpAnswer a =
        Send(method, url, {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}}, body);
    Check(a);
    if (a.status != 207) throw ServerError(a.status, "HTTP " + std::to_string(a.status) + ": " + method.toStdString() +
                                                         " の応答がマルチステータスではありません。");
    return ParseMultistatus(a.body);
  }

  static void Check(const HttpAnswer& a) {
    if (a.status >= 200 && a.status < 300) return;
    std::string text = "HTTP " + std::to_string(a.status);
    const std::string reason = ReasonOf(a.status);
    if (!reason.empty()) text += " " + reason;
    throw ServerError(a.status, text);
  }

  static std::string ReasonOf(int status) {
    switch (status) {
      case 400: return "Bad Request";
      case 401: return "Unauthorized";
      case 403: return "Forbidden";
      case 404: return "Not Found";
      case 405: return "Method Not Allowed";
      case 409: return "Conflict";
      case 412: return "Precondition Failed";
      case 415: return "Unsupported Media Type";
      case 500: return "Internal Server Error";
      case 503: return "Service Unavailable";
      default: return "";
    }
  }

  HttpAnswer Send(const QByteArray& method, const QUrl& url, const QList<QPair<QByteArray, QByteArray>>& headers,
                  const QByteArray& body) {
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", auth_);
    request.setRawHeader("User-Agent", "Kalendor");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    for (const auto& [name, value] : headers) request.setRawHeader(name, value);
    QNetworkReply* reply = manager_.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timed_out = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
      timed_out = true;
      reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The password is sent with each request; a second question means it was refused.
    QObject::connect(&manager_, &QNetworkAccessManager::authenticationRequired, &loop,
                     [](QNetworkReply*, QAuthenticator*) {});
    timer.start(timeout_ms_);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    HttpAnswer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.body = reply->readAll();
    a.etag = reply->rawHeader("ETag");
    const QString error = reply->errorString();
    const bool no_answer = a.status == 0;
    reply->deleteLater();
    QObject::disconnect(&manager_, &QNetworkAccessManager::authenticationRequired, &loop, nullptr);
    if (timed_out) throw ServerError(0, url.host().toStdString() + ": サーバーから応答がありません（タイムアウト）。");
    if (no_answer) throw ServerError(0, url.host().toStdString() + ": " + error.toStdString());
    return a;
  }

  QUrl base_;
  QByteArray auth_;
  int timeout_ms_;
  QNetworkAccessManager manager_;
};

}  // namespace

std::unique_ptr<CalDavServer> MakeQtCalDavServer(const ServerAccount& account, int timeout_ms) {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "kalendor-cli";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
  }
  return std::make_unique<QtCalDavServer>(account, timeout_ms);
}

std::unique_ptr<CalDavServer> MakeQtCalDavServer(const ServerAccount& account) {
  return MakeQtCalDavServer(account, kDefaultTimeoutMs);
}

}  // namespace kal::sync
