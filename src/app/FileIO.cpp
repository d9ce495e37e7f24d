#include "app/FileIO.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>

#include "app/detail/FileIOTesting.h"

namespace tamsel {
namespace {

std::atomic<WriteCall> writeCall{nullptr};

std::string describe(int error, const std::filesystem::path& path) {
  return std::string(std::strerror(error)) + " (" + path.string() + ")";
}

// Closes a descriptor once, on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the error close(2) gives (a late write error on
  // some file systems).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int writeAll(int fd, ByteView bytes) {
  WriteCall call = writeCall.load();
  if (!call) call = [](int f, const void* data, std::size_t size) { return ::write(f, data, size); };
  while (!bytes.empty()) {
    const ssize_t written = call(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return 0;
}

// Passes blocks to a descriptor and keeps the first write error, so a writer
// runs to its end and the owner reports the error once. Once `cancelled` is
// set, nothing more is written.
class DescriptorSink final : public ByteSink {
 public:
  // A file that will be flushed to disk (`flushedLater`) has its written
  // bytes sent on to the disk as it grows: the flush at the end then waits
  // for the last of them only, not for the whole file.
  explicit DescriptorSink(int fd, const std::atomic<bool>* cancelled = nullptr, bool flushedLater = false)
      : ByteSink(kBlockSize), fd_(fd), cancelled_(cancelled), flushedLater_(flushedLater) {}
  // The errno of the first failed write, or 0.
  int error() const { return error_; }

 private:
  // Large enough that writes cost next to nothing, small beside the list.
  static constexpr std::size_t kBlockSize = 256 << 10;
  static constexpr std::uint64_t kWritebackBytes = std::uint64_t{8} << 20;

  void drain(ByteView bytes) override {
    if (error_ != 0 || (cancelled_ && cancelled_->load())) return;
    error_ = writeAll(fd_, bytes);
    written_ += bytes.size();
    if (flushedLater_ && written_ - sentOn_ >= kWritebackBytes) {
      // Only starts the writing and does not wait for it; where the file
      // system cannot, fsync still writes everything.
      ::sync_file_range(fd_, static_cast<off_t>(sentOn_), static_cast<off_t>(written_ - sentOn_),
                        SYNC_FILE_RANGE_WRITE);
      sentOn_ = written_;
    }
  }

  int fd_;
  const std::atomic<bool>* cancelled_;
  bool flushedLater_;
  int error_ = 0;
  std::uint64_t written_ = 0;
  std::uint64_t sentOn_ = 0;  // bytes whose writing to disk has been started
};

// Removes the temporary file on every way out, unless it was renamed.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!renamed_) ::unlink(path_.c_str());
  }
  void markRenamed() { renamed_ = true; }

 private:
  std::filesystem::path path_;
  bool renamed_ = false;
};

std::string temporaryNameFor(const std::string& fileName) {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix(8, '0');
  for (char& c : suffix) c = kDigits[generator() % 36];
  return "." + fileName + ".tamsel-" + suffix;
}

// Exporting onto a symbolic link updates the file it points to, as saving in
// place would; the link itself stays. Relative targets start at the link's folder.
std::optional<std::filesystem::path> followLinks(std::filesystem::path path) {
  constexpr int kMaxHops = 40;
  for (int hop = 0; hop < kMaxHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return path;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

struct Source {
  std::string_view noun;  // what the size message calls it: "The file"
  std::string name;       // what follows each message in brackets
};

// One read(2) into `target`: the byte count, 0 at the end, or the errno.
// A descriptor inherited in non-blocking mode is waited on until it has data.
Expected<std::size_t, int> readSome(int fd, std::uint8_t* target, std::size_t room) {
  for (;;) {
    const ssize_t count = ::read(fd, target, room);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd ready{fd, POLLIN, 0};
      if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
    }
    return unexpected(errno);
  }
}

// Reads `fd` to its end; `expectedSize` is what fstat gave (0 for a pipe).
// That much is read in place. Past it the input has grown or has no size: the
// rest goes into blocks, within the limit, that are joined at the end and
// freed one by one as they are copied, so a pipe of N bytes peaks at about N
// bytes of memory, as a file does.
Expected<Bytes, std::string> readToEnd(int fd, std::uint64_t expectedSize, std::uint64_t maxBytes,
                                       const Source& source) {
  const auto tooLarge = [&] {
    return unexpected(std::string(source.noun) + " is larger than " + std::to_string(maxBytes >> 20) +
                      " MiB, the most Tamsel reads (" + source.name + ")");
  };
  const auto failed = [&](int error) {
    return unexpected(std::string(std::strerror(error)) + " (" + source.name + ")");
  };
  if (expectedSize > maxBytes) return tooLarge();

  Bytes bytes(static_cast<std::size_t>(expectedSize));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    auto count = readSome(fd, bytes.data() + filled, bytes.size() - filled);
    if (!count) return failed(count.error());
    if (*count == 0) {
      bytes.resize(filled);
      return bytes;
    }
    filled += *count;
  }

  constexpr std::size_t kBlockSize = 1 << 20;
  std::vector<Bytes> blocks;
  std::uint64_t total = filled;
  for (;;) {
    if (blocks.empty() || blocks.back().size() == kBlockSize) blocks.emplace_back().reserve(kBlockSize);
    Bytes& block = blocks.back();
    const std::size_t used = block.size();
    block.resize(kBlockSize);
    auto count = readSome(fd, block.data() + used, kBlockSize - used);
    if (!count) return failed(count.error());
    block.resize(used + *count);
    if (*count == 0) break;
    total += *count;
    if (total > maxBytes) return tooLarge();
  }
  bytes.reserve(static_cast<std::size_t>(total));
  for (Bytes& block : blocks) {
    bytes.insert(bytes.end(), block.begin(), block.end());
    Bytes().swap(block);
  }
  return bytes;
}

}  // namespace

void setWriteCallForTesting(WriteCall call) { writeCall.store(call); }

Expected<Bytes, std::string> readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
  // Non-blocking, so opening a FIFO does not wait for a writer.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return unexpected(describe(errno, path));
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return unexpected(describe(errno, path));
  if (S_ISDIR(status.st_mode)) return unexpected(describe(EISDIR, path));
  if (!S_ISREG(status.st_mode)) return unexpected("Not a regular file (" + path.string() + ")");
  return readToEnd(file.get(), static_cast<std::uint64_t>(status.st_size), maxBytes, {"The file", path.string()});
}

Expected<Bytes, std::string> readStandardInput(std::uint64_t maxBytes) {
  const Source source{"The standard input", "standard input"};
  struct stat status {};
  // Redirected from a file: its size is known, and a file too large is refused unread.
  const bool regular = ::fstat(STDIN_FILENO, &status) == 0 && S_ISREG(status.st_mode);
  return readToEnd(STDIN_FILENO, regular ? static_cast<std::uint64_t>(status.st_size) : 0, maxBytes, source);
}

std::optional<std::string> writeStandardOutput(const ContentsWriter& write) {
  DescriptorSink out(STDOUT_FILENO);
  std::optional<std::string> refused = write(out);
  out.flush();
  if (refused) return refused;
  if (out.error()) return std::string(std::strerror(out.error())) + " (standard output)";
  return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& destination, ByteView bytes) {
  return writeFileAtomically(destination, [bytes](ByteSink& out) {
    out.write(bytes);
    return std::optional<std::string>();
  });
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& requested, const ContentsWriter& write,
                                               const std::atomic<bool>* cancelled) {
  const std::optional<std::filesystem::path> target = followLinks(requested);
  if (!target) return describe(ELOOP, requested);
  const std::filesystem::path& destination = *target;
  const std::filesystem::path folder = destination.has_parent_path() ? destination.parent_path() : ".";
  const std::string fileName = destination.filename().string();
  if (fileName.empty()) return describe(EISDIR, requested);

  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = folder / temporaryNameFor(fileName);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return describe(errno, requested);
  FileDescriptor file(fd);
  TemporaryFile written(temporary);
  const auto isCancelled = [cancelled] { return cancelled && cancelled->load(); };

  // Replacing a file keeps its permissions; a new file gets the umask's.
  struct stat existing {};
  if (::stat(destination.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(file.get(), existing.st_mode & 07777);
  }
  DescriptorSink out(file.get(), cancelled, /*flushedLater=*/true);
  std::optional<std::string> refused = write(out);
  out.flush();
  if (refused) return refused;
  if (out.error()) return describe(out.error(), requested);
  if (isCancelled()) return std::nullopt;
  if (::fsync(file.get()) != 0) return describe(errno, requested);
  if (int error = file.close()) return describe(error, requested);
  if (isCancelled()) return std::nullopt;  // the flush to disk can take long
  if (::rename(temporary.c_str(), destination.c_str()) != 0) return describe(errno, requested);
  written.markRenamed();

  // Make the rename itself durable; a failure here loses nothing already written.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return std::nullopt;
}

}  // namespace tamsel
