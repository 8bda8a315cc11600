#include "platform/FaultyFileSystem.h"

#include "platform/SystemError.h"

namespace dz {

namespace {

const char* kindName(FileCall::Kind kind) {
    switch (kind) {
    case FileCall::Kind::CreateDirectory:
        return "mkdir";
    case FileCall::Kind::Copy:
        return "copy";
    case FileCall::Kind::Rename:
        return "rename";
    case FileCall::Kind::CopyFlushed:
        return "flushed copy";
    case FileCall::Kind::Remove:
        return "remove";
    case FileCall::Kind::Write:
        return "write";
    case FileCall::Kind::FreeSpace:
        return "free space";
    }
    return "?";
}

bool hasTarget(FileCall::Kind kind) {
    return kind == FileCall::Kind::Copy || kind == FileCall::Kind::Rename ||
           kind == FileCall::Kind::CopyFlushed;
}

FileCall callOf(FileCall::Kind kind, const std::string& path, const std::string& target = {},
                bool replace = false) {
    FileCall call;
    call.kind = kind;
    call.path = path;
    call.target = target;
    call.replace = replace;
    return call;
}

bool isAtOrBelow(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size(), folder) != 0) {
        return false;
    }
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

}  // namespace

std::string describe(const FileCall& call) {
    std::string text = std::string(kindName(call.kind)) + " " + call.path;
    if (hasTarget(call.kind)) {
        text += " -> " + call.target;
        if (call.replace) {
            text += " replace";
        }
    }
    if (call.error != 0) {
        text += " failed " + std::to_string(call.error);
        if (call.injected) {
            text += " injected";
        }
    }
    return text;
}

void FaultyFileSystem::failOperation(int n, int error) {
    if (n >= 1) {
        planned_[count_ + n] = error;
    }
}

void FaultyFileSystem::failEvery(Kind kind, int error) { every_[kind] = error; }

void FaultyFileSystem::clearFaults() {
    planned_.clear();
    every_.clear();
}

void FaultyFileSystem::setVolume(const std::string& prefix, const std::string& volume) {
    if (!prefix.empty()) {
        volumes_[prefix] = volume;
    }
}

std::vector<std::string> FaultyFileSystem::callTexts() const {
    std::vector<std::string> texts;
    for (const FileCall& call : calls_) {
        texts.push_back(describe(call));
    }
    return texts;
}

bool FaultyFileSystem::run(FileCall call, const std::function<bool()>& real, int pretended) {
    ++count_;
    int fault = pretended;
    if (const auto planned = planned_.find(count_); planned != planned_.end()) {
        fault = planned->second;
        planned_.erase(planned);
    } else if (const auto every = every_.find(call.kind); every != every_.end()) {
        fault = every->second;
    }
    if (fault != 0) {
        call.error = fault;
        call.injected = true;
        calls_.push_back(call);
        setLastError(fault);
        return false;
    }
    const bool ok = real();
    call.error = ok ? 0 : lastError();
    calls_.push_back(call);
    return ok;
}

std::string FaultyFileSystem::volumeSetFor(const std::string& path) const {
    std::string best;
    std::string volume;
    for (const auto& [prefix, text] : volumes_) {
        if (prefix.size() >= best.size() && isAtOrBelow(path, prefix)) {
            best = prefix;
            volume = text;
        }
    }
    return volume;
}

bool FaultyFileSystem::createDirectory(const std::string& path) {
    return run(callOf(Kind::CreateDirectory, path),
               [&] { return FileSystem::createDirectory(path); });
}

bool FaultyFileSystem::freeSpace(const std::string& path, std::uint64_t& bytes) {
    return run(callOf(Kind::FreeSpace, path), [&] { return FileSystem::freeSpace(path, bytes); });
}

std::string FaultyFileSystem::volumeOf(const std::string& path) {
    const std::string volume = volumeSetFor(path);
    return volume.empty() ? FileSystem::volumeOf(path) : volume;
}

bool FaultyFileSystem::copyFile(const std::string& from, const std::string& to, bool replace) {
    return run(callOf(Kind::Copy, from, to, replace),
               [&] { return FileSystem::copyFile(from, to, replace); });
}

bool FaultyFileSystem::removeFile(const std::string& path) {
    return run(callOf(Kind::Remove, path), [&] { return FileSystem::removeFile(path); });
}

bool FaultyFileSystem::writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return run(callOf(Kind::Write, path), [&] { return FileSystem::writeFile(path, bytes); });
}

bool FaultyFileSystem::renameFile(const std::string& from, const std::string& to, bool replace) {
    const bool pretended = !volumeSetFor(from).empty() || !volumeSetFor(to).empty();
    const bool crossing = pretended && volumeOf(from) != volumeOf(to);
    return run(callOf(Kind::Rename, from, to, replace),
               [&] { return FileSystem::renameFile(from, to, replace); },
               crossing ? syserr::kNotSameDevice : 0);
}

bool FaultyFileSystem::copyFlushed(const std::string& from, const std::string& to, bool replace) {
    return run(callOf(Kind::CopyFlushed, from, to, replace),
               [&] { return FileSystem::copyFlushed(from, to, replace); });
}

}  // namespace dz
