#include "fw/core/FolderItem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace fw {
namespace {

fs::path toPath(const String& s) { return fs::path(s.utf8()); }

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// A rename is durable only once the folder entry itself is on disk.
void syncFolder(const fs::path& folder) {
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return;
    ::fsync(dfd);
    ::close(dfd);
}

// ".name.XXXXXX" beside the target: hidden, and in the same file system,
// so the rename over the target is atomic.
std::string hiddenName(const fs::path& target) {
    return (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
}

// The XXXXXX at the end of `name` as mkstemp fills them, without making the
// file: the link that follows makes it.
void fillTemplate(std::string& name) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (size_t i = name.size() - 6; i < name.size(); ++i) name[i] = kLetters[random() % (sizeof kLetters - 1)];
}

// Gives the unnamed file open as `fd` a free hidden name beside the target;
// the path it got, or empty when linking failed.
fs::path linkUnnamed(int fd, const fs::path& target) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hiddenName(target);
        fillTemplate(name);
        // Should /proc go, only a privileged process can still link the file.
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
        if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

// A process-wide setting: set on the main thread before the work that reads it.
std::optional<fs::path>& overriddenExecutable() {
    static std::optional<fs::path> path;
    return path;
}

}  // namespace

FolderItem::FolderItem(fs::path p) : path_(std::move(p)) {}

FolderItemPtr FolderItem::Child(const String& name) const {
    return std::make_shared<FolderItem>(path_ / toPath(name));
}

FolderItemPtr FolderItem::Parent() const {
    fs::path p = path_;
    if (!p.has_filename() && p.has_parent_path()) p = p.parent_path();  // "a/b/"
    fs::path parent = p.parent_path();
    if (parent.empty() || parent == p) return nullptr;
    return std::make_shared<FolderItem>(parent);
}

bool FolderItem::Exists() const {
    std::error_code ec;
    return fs::exists(path_, ec);
}

bool FolderItem::Directory() const {
    std::error_code ec;
    return fs::is_directory(path_, ec);
}

bool FolderItem::IsRegularFile() const {
    std::error_code ec;
    return fs::is_regular_file(path_, ec);
}

String FolderItem::Name() const {
    fs::path p = path_;
    if (!p.has_filename() && p.has_parent_path()) p = p.parent_path();
    return String(p.filename().string());
}

String FolderItem::AbsolutePath() const {
    std::error_code ec;
    fs::path abs = fs::absolute(path_, ec);
    if (ec) abs = path_;
    return String(abs.lexically_normal().string());
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    // O_NONBLOCK: opening a pipe must not wait for a writer; anything that
    // is not a plain file is refused right after.
    int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return nullptr;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return std::make_unique<TextInputStream>(std::move(bytes));
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    std::error_code ec;
    fs::path target = path_;
    // Replace what a link points to, not the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (!target.has_filename()) return nullptr;
    // Only a plain file is replaced: a folder, device or pipe in the way stays.
    fs::file_status st = fs::status(target, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) return nullptr;
    fs::path folder = target.parent_path();
    // An unnamed file vanishes with the process that writes it, so a crash or
    // a kill in the middle of a save leaves nothing behind; it gets a name in
    // Close, once whole. File systems without one get a hidden named file.
    // Naming it later goes through /proc/self/fd: the direct way
    // (AT_EMPTY_PATH) needs a privilege.
    int fd = -1;
    if (::access("/proc/self/fd", F_OK) == 0) {
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return nullptr;
    }
    if (fd >= 0) return std::unique_ptr<TextOutputStream>(new TextOutputStream(target, fs::path(), fd));
    std::string tmpl = hiddenName(target);
    fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(target, fs::path(tmpl), fd));
}

String TextInputStream::ReadAll(const TextEncoding* enc) {
    std::string rest = pos_ < bytes_.size() ? bytes_.substr(pos_) : std::string();
    pos_ = bytes_.size();
    return DefineEncoding(String::FromBytes(std::move(rest), nullptr), enc ? enc : Encoding);
}

TextOutputStream::TextOutputStream(fs::path target, fs::path temp, int fd)
    : target_(std::move(target)), temp_(std::move(temp)), fd_(fd) {}

TextOutputStream::~TextOutputStream() {
    if (closed_) return;
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TextOutputStream::Write(const String& s) {
    if (closed_ || failed_) return;
    if (Encoding && s.encoding()) {
        ConversionReport r;
        String converted = ConvertEncoding(s, Encoding, &r);
        if (r.lossy()) {
            if (!report.lossy()) report.firstOffset = written_ + r.firstOffset;
            report.invalidInput += r.invalidInput;
            report.unmappable += r.unmappable;
        }
        written_ += s.bytes().size();
        if (!writeAll(fd_, converted.bytes().data(), converted.bytes().size())) failed_ = true;
        return;
    }
    written_ += s.bytes().size();
    if (!writeAll(fd_, s.bytes().data(), s.bytes().size())) failed_ = true;
}

void TextOutputStream::WriteLine(const String& s) {
    Write(s);
    Write(String(EndOfLine));
}

bool TextOutputStream::Close() {
    if (closed_) return !failed_;
    closed_ = true;
    bool ok = !failed_;
    // A new file gets the usual mode (0666 less the umask), a replaced one keeps its own.
    struct stat st {};
    mode_t mode;
    if (::stat(target_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok && ::fchmod(fd_, mode) != 0) ok = false;
    if (ok && ::fsync(fd_) != 0) ok = false;
    if (ok && temp_.empty()) {
        temp_ = linkUnnamed(fd_, target_);
        ok = !temp_.empty();
    }
    if (::close(fd_) != 0) ok = false;
    fd_ = -1;
    if (ok && ::rename(temp_.c_str(), target_.c_str()) != 0) ok = false;
    if (!ok) {
        if (!temp_.empty()) ::unlink(temp_.c_str());
        failed_ = true;
        return false;
    }
    syncFolder(target_.parent_path());
    return true;
}

FolderItemPtr ApplicationExecutable() {
    if (const auto& overridden = overriddenExecutable()) return std::make_shared<FolderItem>(*overridden);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return nullptr;
    // A program rebuilt while running still names its settings file after itself.
    std::string text = exe.string();
    constexpr std::string_view deleted = " (deleted)";
    if (text.size() > deleted.size() && text.compare(text.size() - deleted.size(), deleted.size(), deleted) == 0) {
        exe = text.substr(0, text.size() - deleted.size());
    }
    return std::make_shared<FolderItem>(exe);
}

void SetApplicationExecutable(const fs::path& p) {
    if (p.empty()) {
        overriddenExecutable().reset();
    } else {
        overriddenExecutable() = p;
    }
}

FolderItemPtr GetFolderItem(const String& path) {
    fs::path p = toPath(path);
    if (p.is_absolute()) return std::make_shared<FolderItem>(p);
    FolderItemPtr exe = ApplicationExecutable();
    if (!exe) return nullptr;
    fs::path folder = exe->Path().parent_path();
    return std::make_shared<FolderItem>(p.empty() ? folder : folder / p);
}

FolderItemPtr PreferencesFolder() {
    fs::path folder;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // The base-directory rules ignore a relative XDG_CONFIG_HOME.
    if (xdg && *xdg && fs::path(xdg).is_absolute()) {
        folder = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
        }
        if (!home || !*home) return nullptr;
        folder = fs::path(home) / ".config";
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return nullptr;
    return std::make_shared<FolderItem>(folder);
}

}  // namespace fw
