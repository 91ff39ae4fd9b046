#include "platform/Files.h"

#include "platform/Text.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

std::u16string FoldCase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) c = ToLower16(c);
    return out;
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The stored spelling of component inside folder, matched without regard to case; the
// smallest matching name wins so two names differing only in case resolve the same way
// every time.
std::string MatchComponent(const std::string& folder, const std::string& component) {
    std::string candidate = folder.empty() ? component : folder + "/" + component;
    if (folder == "/") candidate = "/" + component;
    if (Exists(candidate)) return component;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return component;
    std::u16string wanted = FoldCase(FromUtf8(component));
    std::string best;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (FoldCase(FromUtf8(name)) == wanted && (best.empty() || name < best)) best = name;
    }
    closedir(dir);
    return best.empty() ? component : best;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileState ProbeResolved(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return FileState::Missing;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return FileState::Blocked;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FileState::Blocked;
    ::close(fd);
    return FileState::Readable;
}

void WarnKept(const std::string& path) {
    std::fprintf(stderr,
                 "warning: %s is there but cannot be read; it is kept as it is and not "
                 "overwritten\n",
                 path.c_str());
}

// A name beside target that no other writer, in this process or another, uses at the same
// time; the creation with O_EXCL proves it.
std::string TemporaryName(const std::string& folder, const std::string& name, uint32_t attempt) {
    static std::atomic<uint32_t> counter{0};
    return folder + "." + name + "." + std::to_string(::getpid()) + "." +
           std::to_string(counter++) + "." + std::to_string(attempt) + ".tmp";
}

bool WriteAll(int fd, const void* data, size_t count) {
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t n = ::write(fd, p, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        count -= size_t(n);
    }
    return true;
}

} // namespace

std::string ResolvePath(std::u16string_view path) {
    std::string text = ToUtf8(path);
    for (auto& c : text)
        if (c == '\\') c = '/';
    std::string result = (!text.empty() && text[0] == '/') ? "/" : "";
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t next = text.find('/', pos);
        if (next == std::string::npos) next = text.size();
        std::string component = text.substr(pos, next - pos);
        pos = next + 1;
        if (component.empty() || component == ".") continue;
        std::string stored = component == ".." ? component : MatchComponent(result, component);
        if (result.empty())
            result = stored;
        else if (result == "/")
            result += stored;
        else
            result += "/" + stored;
    }
    return result.empty() ? "." : result;
}

bool IsRegularFile(std::u16string_view path) {
    struct stat st;
    return stat(ResolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileState ProbeFile(std::u16string_view path) {
    return ProbeResolved(ResolvePath(path));
}

bool RemoveFile(std::u16string_view path) {
    std::string resolved = ResolvePath(path);
    if (ProbeResolved(resolved) == FileState::Blocked) {
        WarnKept(resolved);
        return false;
    }
    return ::unlink(resolved.c_str()) == 0;
}

bool MakeFolder(std::u16string_view path) {
    std::string resolved = ResolvePath(path);
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = resolved.find('/', pos + 1);
        partial = resolved.substr(0, pos);
        if (!partial.empty()) ::mkdir(partial.c_str(), 0755);
    }
    struct stat st;
    return stat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::u16string ExecutablePath() {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return u"./tamborix";
    return FromUtf8(std::string_view(buffer.data(), size_t(n)));
}

InputFile::InputFile(std::u16string_view path) {
    std::string resolved = ResolvePath(path);
    struct stat st;
    if (stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    fd_ = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Size(uint64_t& size) const {
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) return false;
    size = uint64_t(st.st_size);
    return true;
}

int64_t InputFile::Read(void* buffer, uint32_t count) {
    if (fd_ < 0) return -1;
    char* p = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        ssize_t n = ::read(fd_, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? int64_t(done) : -1;
        }
        if (n == 0) break;
        done += uint32_t(n);
    }
    return done;
}

AtomicOutputFile::AtomicOutputFile(std::u16string_view path) {
    finalPath_ = ResolvePath(path);
    struct stat st;
    mode_t mode = 0644;
    bool replacing = lstat(finalPath_.c_str(), &st) == 0;
    if (replacing) {
        if (ProbeResolved(finalPath_) == FileState::Blocked) {
            WarnKept(finalPath_);
            return;
        }
        // Through a link the file it names is replaced; the link itself stays.
        if (S_ISLNK(st.st_mode)) {
            char* real = ::realpath(finalPath_.c_str(), nullptr);
            if (!real) return;
            finalPath_ = real;
            std::free(real);
        }
        if (stat(finalPath_.c_str(), &st) != 0 || ::access(finalPath_.c_str(), W_OK) != 0 ||
            !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
            return; // a read-only file stays as the user made it
        mode = st.st_mode & 07777;
    }
    auto slash = finalPath_.find_last_of('/');
    std::string folder = slash == std::string::npos ? "" : finalPath_.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? finalPath_ : finalPath_.substr(slash + 1);
    for (uint32_t attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        tempPath_ = TemporaryName(folder, name, attempt);
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     replacing ? 0600 : 0644);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ >= 0 && replacing && ::fchmod(fd_, mode) != 0) Discard();
}

AtomicOutputFile::~AtomicOutputFile() {
    Discard();
}

void AtomicOutputFile::Discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(tempPath_.c_str());
    fd_ = -1;
}

bool AtomicOutputFile::Write(const void* data, uint32_t count) {
    if (fd_ < 0 || failed_) return false;
    if (!WriteAll(fd_, data, count)) failed_ = true;
    return !failed_;
}

bool AtomicOutputFile::Commit() {
    if (fd_ < 0) return false;
    if (failed_ || ::fsync(fd_) != 0) {
        Discard();
        return false;
    }
    ::close(fd_);
    fd_ = -1;
    if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        ::unlink(tempPath_.c_str());
        return false;
    }
    // The rename itself must reach the disk for the new file to survive a power cut.
    int dir = ::open(FolderOf(finalPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace platform
