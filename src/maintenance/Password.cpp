#include "maintenance/Password.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cctype>
#include <stdexcept>
#include <vector>

#include "platform/Codec.h"
#include "store/TextFile.h"

namespace kal::maintenance {

namespace {

constexpr const char* kHashPrefix = "pbkdf2-sha256$";
constexpr int kIterations = 120000;
// A stored count above this is not a line we wrote: taking it would let a damaged or planted file
// freeze the password entry for minutes (999999999 rounds). Room is left for later versions.
constexpr int kMaxIterations = 4 * kIterations;
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;
constexpr unsigned char kScramble = 0xD3;
constexpr std::size_t kStampLength = 13;

std::string Hex(const unsigned char* data, std::size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    text += digits[data[i] >> 4];
    text += digits[data[i] & 15];
  }
  return text;
}

std::optional<std::string> Unhex(const std::string& text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    auto digit = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      return -1;
    };
    const int hi = digit(text[i]), lo = digit(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes += static_cast<char>(hi * 16 + lo);
  }
  return bytes;
}

std::string Pbkdf2(const std::string& password, const std::string& salt, int iterations) {
  unsigned char out[kHashBytes];
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                        reinterpret_cast<const unsigned char*>(salt.data()), static_cast<int>(salt.size()),
                        iterations, EVP_sha256(), sizeof out, out) != 1) {
    throw std::runtime_error("パスワードの計算ができません。");
  }
  return std::string(reinterpret_cast<const char*>(out), sizeof out);
}

std::string Unscramble(const std::string& line) {
  std::string text = line;
  for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) ^ kScramble);
  return text;
}

bool LooksLikeStamp(const std::string& text) {
  if (text.size() < kStampLength) return false;
  for (std::size_t i = 0; i < kStampLength; ++i) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (i == 6 ? text[i] != ' ' : !digit) return false;
  }
  return true;
}

struct HashParts {
  int iterations = 0;
  std::string salt, hash;
};
std::optional<HashParts> SplitHashLine(const std::string& line) {
  if (line.rfind(kHashPrefix, 0) != 0) return std::nullopt;
  const std::string rest = line.substr(std::string(kHashPrefix).size());
  const std::size_t a = rest.find('$');
  const std::size_t b = a == std::string::npos ? a : rest.find('$', a + 1);
  if (b == std::string::npos) return std::nullopt;
  HashParts parts;
  const std::string count = rest.substr(0, a);
  if (count.empty() || count.size() > 9) return std::nullopt;
  for (char c : count) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  parts.iterations = std::stoi(count);
  const auto salt = Unhex(rest.substr(a + 1, b - a - 1));
  const auto hash = Unhex(rest.substr(b + 1));
  if (parts.iterations < 1 || parts.iterations > kMaxIterations) return std::nullopt;
  if (!salt || salt->empty() || !hash || hash->size() != kHashBytes) return std::nullopt;
  parts.salt = *salt;
  parts.hash = *hash;
  return parts;
}

// The text without leading and trailing blanks (ASCII and the ideographic space).
std::string TrimBlanks(const std::string& utf8) {
  static const std::string wide = "\xE3\x80\x80";
  std::size_t from = 0, to = utf8.size();
  for (;;) {
    if (from < to && utf8[from] == ' ') ++from;
    else if (utf8.compare(from, wide.size(), wide) == 0 && from + wide.size() <= to) from += wide.size();
    else break;
  }
  for (;;) {
    if (to > from && utf8[to - 1] == ' ') --to;
    else if (to >= from + wide.size() && utf8.compare(to - wide.size(), wide.size(), wide) == 0) to -= wide.size();
    else break;
  }
  return utf8.substr(from, to - from);
}

std::size_t Characters(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

}  // namespace

std::string HashLine(const std::string& password_bytes, const std::string& salt, int iterations) {
  const std::string hash = Pbkdf2(password_bytes, salt, iterations);
  return kHashPrefix + std::to_string(iterations) + "$" +
         Hex(reinterpret_cast<const unsigned char*>(salt.data()), salt.size()) + "$" +
         Hex(reinterpret_cast<const unsigned char*>(hash.data()), hash.size());
}

std::string NewHashLine(const std::string& password_bytes) {
  unsigned char salt[kSaltBytes];
  if (RAND_bytes(salt, sizeof salt) != 1) throw std::runtime_error("パスワードの計算ができません。");
  return HashLine(password_bytes, std::string(reinterpret_cast<const char*>(salt), sizeof salt), kIterations);
}

std::string LegacyLine(const std::string& stamp13, const std::string& password_bytes) {
  return Unscramble(stamp13 + password_bytes);
}

StoredPassword ReadStoredPassword(platform::FileSystem& fs, const std::string& program_folder) {
  StoredPassword stored;
  const platform::ReadResult read = fs.Read(platform::JoinPath(program_folder, kPasswordFileName));
  if (!read.ok()) return stored;
  const std::vector<std::string> lines = store::SplitLines(read.bytes);
  if (lines.empty() || lines[0].empty()) return stored;
  stored.line = lines[0];
  if (SplitHashLine(stored.line)) {
    stored.kind = StoredKind::Hashed;
  } else if (LooksLikeStamp(Unscramble(stored.line)) && stored.line.size() > kStampLength) {
    stored.kind = StoredKind::Legacy;
  }
  return stored;
}

bool Matches(const StoredPassword& stored, const std::string& password_bytes) {
  if (stored.kind == StoredKind::Legacy) {
    const std::string plain = Unscramble(stored.line).substr(kStampLength);
    return plain.size() == password_bytes.size() &&
           CRYPTO_memcmp(plain.data(), password_bytes.data(), plain.size()) == 0;
  }
  if (stored.kind != StoredKind::Hashed) return false;
  const std::optional<HashParts> parts = SplitHashLine(stored.line);
  if (!parts) return false;
  const std::string hash = Pbkdf2(password_bytes, parts->salt, parts->iterations);
  return CRYPTO_memcmp(hash.data(), parts->hash.data(), kHashBytes) == 0;
}

bool StorePassword(platform::FileSystem& fs, const std::string& program_folder, const std::string& password_bytes,
                   std::string* error) {
  const std::string path = platform::JoinPath(program_folder, kPasswordFileName);
  if (!fs.WriteAtomic(path, NewHashLine(password_bytes) + "\r\n", error)) return false;
  fs.SetHidden(path, true);
  return true;
}

bool PasswordSet(platform::FileSystem& fs, const std::string& program_folder) {
  return ReadStoredPassword(fs, program_folder).kind != StoredKind::None;
}

EntryCheck CheckRegistration(const StoredPassword& stored, const std::string& current_utf8,
                             const std::string& new_utf8, const std::string& again_utf8) {
  if (stored.kind != StoredKind::None) {
    const std::optional<std::string> current = platform::Utf8ToCp932(current_utf8);
    if (!current || !Matches(stored, *current)) return {kCurrentWrongMessage, EntryField::Current};
  }
  const std::optional<std::string> bytes = platform::Utf8ToCp932(new_utf8);
  if (!bytes) return {kUnencodableMessage, EntryField::New};
  if (bytes->size() > kPasswordBytes) return {kTooLongMessage, EntryField::New};
  if (Characters(TrimBlanks(new_utf8)) < 4) return {kTooShortMessage, EntryField::New};
  if (new_utf8 != again_utf8) return {kMismatchMessage, EntryField::Again};
  return {};
}

PasswordEntry::PasswordEntry(platform::FileSystem& fs, std::string program_folder)
    : fs_(fs), program_folder_(std::move(program_folder)) {}

PasswordEntry::Outcome PasswordEntry::Try(platform::Dialogs& dialogs, const std::string& input_utf8) {
  if (TrimBlanks(input_utf8).empty()) {
    dialogs.Error(kEmptyInputMessage, kMessageCaption);
    return Outcome::StayOpen;
  }
  const std::optional<std::string> bytes = platform::Utf8ToCp932(input_utf8);
  if (bytes && bytes->size() > kPasswordBytes) {
    dialogs.Error(kInputTooLongMessage, kMessageCaption);
    return Outcome::StayOpen;
  }
  const StoredPassword stored = ReadStoredPassword(fs_, program_folder_);
  if (bytes && Matches(stored, *bytes)) {
    if (stored.kind == StoredKind::Legacy) {
      std::string error;
      StorePassword(fs_, program_folder_, *bytes, &error);  // the old file stays usable on failure
    }
    return Outcome::Accepted;
  }
  dialogs.Error(kWrongMessage, kMessageCaption);
  return ++failures_ >= kTries ? Outcome::Refused : Outcome::StayOpen;
}

}  // namespace kal::maintenance
