#include "core/app/settings.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/app/filepaths.h"
#include "core/app/regfile.h"
#include "core/app/text.h"

namespace tw {

namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string FolderOf(const std::string& path) {
    std::string folder = FolderPart(path);
    if (folder.empty())
        return ".";
    if (folder.size() > 1)
        folder.pop_back();
    return folder;
}

// Closes on every way out, so no descriptor (and no lock) outlives the operation.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : Fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (Fd >= 0)
            ::close(Fd);
    }
    int Get() const { return Fd; }
    bool Valid() const { return Fd >= 0; }
    void Reset(int fd) {
        if (Fd >= 0)
            ::close(Fd);
        Fd = fd;
    }
    bool Close() {
        int fd = Fd;
        Fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int Fd;
};

enum class LoadStatus { Loaded, Missing, Unusable };

struct LoadedFile {
    LoadStatus Status = LoadStatus::Unusable;
    RegFile File;
    mode_t Mode = 0;
};

LoadedFile Load(const std::string& path) {
    LoadedFile result;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        if (errno == ENOENT)
            result.Status = LoadStatus::Missing;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return result;
    std::string bytes;
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return result;
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    auto parsed = RegFile::Parse(bytes);
    if (!parsed)
        return result; // not a settings file: never ours to overwrite
    result.Status = LoadStatus::Loaded;
    result.File = std::move(*parsed);
    result.Mode = info.st_mode & 07777;
    return result;
}

// Whether a write could create the file: the nearest folder on the way up that exists
// must be a folder we may write into.
bool CouldCreate(const std::string& path) {
    std::string folder = FolderOf(path);
    while (true) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0)
            return S_ISDIR(info.st_mode) && ::access(folder.c_str(), W_OK | X_OK) == 0;
        if (errno != ENOENT)
            return false;
        if (folder == "/" || folder == ".")
            return false;
        folder = FolderOf(folder);
    }
}

bool CreateFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (errno != ENOENT || folder == "/" || folder == ".")
        return false;
    if (!CreateFolders(FolderOf(folder)))
        return false;
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Replaces `target` by `bytes` so that a reader sees the old file or the new one, never
// part of either, and a crash leaves the old file in place.
bool ReplaceFile(const std::string& target, const std::string& bytes, bool keepMode, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(target);
    std::string temp;
    FileDescriptor fd;
    for (int attempt = 0; attempt < 100 && !fd.Valid(); ++attempt) {
        temp = folder + "/." + FileNamePart(target) + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
        fd.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.Valid() && errno != EEXIST)
            return false;
    }
    if (!fd.Valid())
        return false;
    bool ok = WriteAll(fd.Get(), bytes) && (!keepMode || ::fchmod(fd.Get(), mode) == 0) &&
              ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
    return true;
}

// A settings file reached through a link stays a link: the new file replaces the link's
// target, also when that target does not exist yet, and the lock is taken beside that
// one file, so copies that reach it by different paths still take turns.
std::string RealTarget(const std::string& path) {
    return FinalLinkTarget(path, true);
}

} // namespace

TRegpath TRegpath::ForProgram() {
    TRegpath reg;
    reg.Root = "HKEY_LOCAL_MACHINE";
    reg.Key = "\\Software\\Orlendt\\Ledgerwick";
    reg.Docreate = true;
    reg.FilePath = DefaultFilePath();
    return reg;
}

std::string TRegpath::DefaultFilePath() {
    std::string explicitFile = EnvironmentValue("TABWRIGHT_SETTINGS");
    if (!explicitFile.empty())
        return explicitFile;
    // A relative XDG_CONFIG_HOME is to be ignored, as the base-directory rules say.
    std::string config = EnvironmentValue("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/')
        return config + "/Orlendt/Ledgerwick.reg";
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            home = user->pw_dir;
    }
    if (home.empty())
        return {};
    return home + "/.config/Orlendt/Ledgerwick.reg";
}

std::string TRegpath::KeyPath() const {
    std::string root;
    if (Root == "HKEY_CLASSES_ROOT" || Root == "HKEY_USERS" || Root == "HKEY_CURRENT_USER")
        root = Root;
    else
        root = "HKEY_LOCAL_MACHINE";
    std::string_view key = Key;
    if (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    if (key.empty())
        return root;
    return root + "\\" + std::string(key);
}

namespace {

// Opens the key as the registry would for a read, and looks the value up.
std::optional<RegFile::Value> OpenAndFind(const TRegpath& reg, const std::string& name,
                                          bool& opened) {
    opened = false;
    if (reg.FilePath.empty())
        return std::nullopt;
    const std::string keyPath = reg.KeyPath();
    if (keyPath.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return std::nullopt;
    LoadedFile loaded = Load(reg.FilePath);
    switch (loaded.Status) {
    case LoadStatus::Unusable:
        return std::nullopt;
    case LoadStatus::Missing:
        // The key would be created on opening: it opens when the file could be made.
        opened = reg.Docreate && CouldCreate(reg.FilePath);
        return std::nullopt;
    case LoadStatus::Loaded:
        opened = reg.Docreate || loaded.File.HasKey(keyPath);
        return opened ? loaded.File.Find(keyPath, name) : std::nullopt;
    }
    return std::nullopt;
}

// One value written under the lock; `text` null means the number.
bool Write(const TRegpath& reg, const std::string& name, const std::string* text, uint32_t number) {
    if (reg.FilePath.empty())
        return false;
    if (reg.Docreate) {
        if (!CreateFolders(FolderOf(reg.FilePath)))
            return false;
    } else if (::access(reg.FilePath.c_str(), F_OK) != 0) {
        return false; // the key does not exist and may not be created
    }
    const std::string target = RealTarget(reg.FilePath);
    if (reg.Docreate && !CreateFolders(FolderOf(target)))
        return false;

    // The lock lives in its own file because the settings file itself is replaced, not
    // rewritten: a lock on it would be a lock on a file that is about to go away.
    FileDescriptor lock(::open((target + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.Valid())
        return false;
    while (::flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return false;

    LoadedFile loaded = Load(reg.FilePath);
    if (loaded.Status == LoadStatus::Unusable)
        return false;
    if (loaded.Status == LoadStatus::Missing && !reg.Docreate)
        return false;
    const std::string keyPath = reg.KeyPath();
    if (loaded.Status == LoadStatus::Loaded && !reg.Docreate && !loaded.File.HasKey(keyPath))
        return false;

    const std::string before = loaded.File.Bytes();
    bool set = text ? loaded.File.SetString(keyPath, name, *text)
                    : loaded.File.SetDword(keyPath, name, number);
    if (!set)
        return false;
    std::string after = loaded.File.Bytes();
    if (loaded.Status == LoadStatus::Loaded && after == before)
        return true;
    if (!ReplaceFile(target, after, loaded.Status == LoadStatus::Loaded, loaded.Mode))
        return false;
    // What was written must read back from the file itself.
    LoadedFile check = Load(reg.FilePath);
    if (check.Status != LoadStatus::Loaded)
        return false;
    auto value = check.File.Find(keyPath, name);
    if (!value)
        return false;
    return text ? value->Type == RegFile::ValueType::String && value->Text == *text
                : value->Type == RegFile::ValueType::Dword && value->Number == number;
}

} // namespace

bool TRegpath::WriteString(const std::string& name, const std::string& text) const {
    return Write(*this, name, &text, 0);
}

bool TRegpath::WriteBool(const std::string& name, bool value) const {
    return Write(*this, name, nullptr, value ? 1u : 0u);
}

bool TRegpath::WriteInteger(const std::string& name, int32_t value) const {
    return Write(*this, name, nullptr, static_cast<uint32_t>(value));
}

bool TRegpath::ReadString(const std::string& name, std::string& variable) const {
    bool opened = false;
    auto value = OpenAndFind(*this, name, opened);
    if (!opened)
        return true;
    if (!value) {
        variable.clear();
        return true;
    }
    if (value->Type != RegFile::ValueType::String)
        return false;
    variable = std::move(value->Text);
    return true;
}

std::optional<int32_t> TRegpath::ReadInteger(const std::string& name) const {
    bool opened = false;
    auto value = OpenAndFind(*this, name, opened);
    if (!opened)
        return 0;
    if (!value || value->Type != RegFile::ValueType::Dword)
        return std::nullopt;
    return static_cast<int32_t>(value->Number);
}

std::optional<bool> TRegpath::ReadBool(const std::string& name) const {
    bool opened = false;
    auto value = OpenAndFind(*this, name, opened);
    if (!opened)
        return false;
    if (!value || value->Type != RegFile::ValueType::Dword)
        return std::nullopt;
    return value->Number != 0;
}

} // namespace tw
