#include "common/Files.h"

#include "common/Translatable.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt {
namespace {

std::string directoryOf(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::uint8_t* p, std::size_t n)
{
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

void syncDirectory(const std::string& dir)
{
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string baseName(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string saveFailureMessage(const std::string& path, const std::string& reason)
{
    return filled(VT_TRANSLATABLE("Core", "Nie można zapisać pliku %1: %2"), {baseName(path), reason});
}

std::string systemReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return VT_TRANSLATABLE("Core", "brak uprawnień");
    case EISDIR:
        return VT_TRANSLATABLE("Core", "to jest folder");
    case ENOTDIR:
        return VT_TRANSLATABLE("Core", "część ścieżki nie jest folderem");
    case ENOENT:
        return VT_TRANSLATABLE("Core", "nie ma takiego pliku ani folderu");
    case ENOSPC:
    case EDQUOT:
        return VT_TRANSLATABLE("Core", "brak miejsca na dysku");
    case EROFS:
        return VT_TRANSLATABLE("Core", "dysk jest tylko do odczytu");
    case EIO:
        return VT_TRANSLATABLE("Core", "błąd odczytu lub zapisu dysku");
    case EBUSY:
    case ETXTBSY:
        return VT_TRANSLATABLE("Core", "plik jest zajęty");
    case ENAMETOOLONG:
        return VT_TRANSLATABLE("Core", "za długa nazwa");
    case ELOOP:
        return VT_TRANSLATABLE("Core", "za dużo dowiązań symbolicznych");
    case EMFILE:
    case ENFILE:
        return VT_TRANSLATABLE("Core", "za dużo otwartych plików");
    case EINVAL:
        return VT_TRANSLATABLE("Core", "to nie jest zwykły plik");
    default:
        return filled(VT_TRANSLATABLE("Core", "błąd systemu nr %1"), {std::to_string(error)});
    }
}

namespace {

// An open regular file, closed with the object.
class OpenFile {
public:
    // `result` tells whether it could be opened, with the reason in `reason` when given.
    OpenFile(const std::string& path, ReadResult& result, std::string* reason)
    {
        auto unreadable = [&](int error) {
            if (reason)
                *reason = systemReason(error);
            result = ReadResult::Unreadable;
        };
        result = ReadResult::Ok;
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            if (errno == ENOENT)
                result = ReadResult::Missing;
            else
                unreadable(errno);
            return;
        }
        struct stat st {};
        const int statError = ::fstat(fd_, &st) == 0 ? 0 : errno;
        if (statError || !S_ISREG(st.st_mode))
            unreadable(statError ? statError : S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        size_ = static_cast<std::size_t>(st.st_size);
    }
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    std::size_t size() const { return size_; }
    // Up to `n` bytes; 0 at the end, -1 with errno on an error.
    ssize_t read(std::uint8_t* into, std::size_t n)
    {
        for (;;) {
            ssize_t r = ::read(fd_, into, n);
            if (r >= 0 || errno != EINTR)
                return r;
        }
    }

private:
    int fd_ = -1;
    std::size_t size_ = 0;
};

// A file read part by part; an error ends it early and is kept.
class FileSource : public ByteSource {
public:
    explicit FileSource(OpenFile& file) : file_(file) {}
    std::size_t read(std::uint8_t* into, std::size_t n) override
    {
        ssize_t r = file_.read(into, n);
        if (r < 0)
            failed_ = true;
        return r > 0 ? static_cast<std::size_t>(r) : 0;
    }
    bool failed() const { return failed_; }

private:
    OpenFile& file_;
    bool failed_ = false;
};

} // namespace

ReadResult readWholeFile(const std::string& path, Bytes& out, std::string* reason)
{
    out.clear();
    ReadResult result;
    OpenFile file(path, result, reason);
    if (result != ReadResult::Ok)
        return result;
    // Read whole in one go where the size is right; a file that grows meanwhile is read on.
    out.resize(file.size());
    std::size_t filled = 0;
    for (;;) {
        if (filled == out.size())
            out.resize(out.size() + 65536);
        ssize_t r = file.read(out.data() + filled, out.size() - filled);
        if (r < 0) {
            if (reason)
                *reason = systemReason(errno);
            out.clear();
            return ReadResult::Unreadable;
        }
        if (r == 0)
            break;
        filled += static_cast<std::size_t>(r);
    }
    out.resize(filled);
    return ReadResult::Ok;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data, std::string* error)
{
    auto failWith = [&](const char* step) {
        if (error)
            *error = filled(VT_TRANSLATABLE("Core", "%1 (%2)"), {systemReason(errno), step});
        return false;
    };
    std::string temp = directoryOf(path) + "/." + baseName(path) + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return failWith(VT_TRANSLATABLE("Core", "nie można utworzyć pliku tymczasowego"));
    bool written = writeAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
    int savedErrno = errno;
    written = (::close(fd) == 0) && written;
    if (written) {
        // Keep the permissions an existing file had; new files get the usual 0644.
        struct stat st {};
        ::fchmodat(AT_FDCWD, temp.c_str(), ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0644, 0);
    }
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        if (!written)
            errno = savedErrno;
        bool ok = failWith(written ? VT_TRANSLATABLE("Core", "nie można zmienić nazwy pliku tymczasowego")
                                   : VT_TRANSLATABLE("Core", "nie można zapisać danych"));
        ::unlink(temp.c_str());
        return ok;
    }
    syncDirectory(directoryOf(path));
    return true;
}

namespace {

// What a file that could not be read loads as.
LoadStatus unreadStatus(ReadResult read)
{
    return read == ReadResult::Missing ? LoadStatus::Missing : LoadStatus::Unreadable;
}

} // namespace

LoadStatus loadFile(const std::string& path,
                    const std::function<LoadStatus(std::span<const std::uint8_t>)>& parse)
{
    Bytes data;
    ReadResult read = readWholeFile(path, data);
    LoadStatus parsed = parse(data);
    return read == ReadResult::Ok ? parsed : unreadStatus(read);
}

LoadStatus loadFileInParts(const std::string& path, const std::function<LoadStatus(ByteReader&)>& parse)
{
    auto parseNothing = [&] {
        ByteReader nothing(std::span<const std::uint8_t>{});
        parse(nothing);
    };
    ReadResult result;
    OpenFile file(path, result, nullptr);
    if (result != ReadResult::Ok) {
        parseNothing();
        return unreadStatus(result);
    }
    FileSource source(file);
    ByteReader reader(source, file.size());
    LoadStatus parsed = parse(reader);
    if (source.failed()) {
        parseNothing();
        return LoadStatus::Unreadable;
    }
    return parsed;
}

std::string setAsideDamaged(const std::string& path)
{
    Bytes contents;
    if (readWholeFile(path, contents) != ReadResult::Ok)
        return {};
    // An earlier copy is never overwritten: a different damaged file gets the next free
    // numbered name, the same one reuses the copy already made.
    for (int n = 0; n < 1000; ++n) {
        std::string copy = path + ".damaged" + (n ? "." + std::to_string(n) : std::string());
        Bytes existing;
        ReadResult r = readWholeFile(copy, existing);
        if (r == ReadResult::Ok && existing == contents)
            return copy;
        if (r == ReadResult::Missing)
            return writeFileAtomically(copy, contents) ? copy : std::string();
    }
    return {};
}

} // namespace vt
