#pragma once
// A real, nearly full disk: a tmpfs of 64 KiB mounted in a folder of the test (root only),
// filled up to a number of free pages, and unmounted at the end.

#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>

class SmallDisk {
public:
    explicit SmallDisk(std::filesystem::path mount) : path_(std::move(mount)) {
        std::filesystem::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount(path_.c_str());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return path_; }
    // Fills the disk with a file of its own, "filler", until `pages` of 4 KiB are left.
    void fillLeaving(int pages) const {
        const std::filesystem::path filler = path_ / "filler";
        {
            std::ofstream out(filler, std::ios::binary);
            const std::string page(4096, 'x');
            while (out.write(page.data(), static_cast<std::streamsize>(page.size())) &&
                   out.flush()) {
            }
        }
        std::filesystem::resize_file(filler, std::filesystem::file_size(filler) / 4096 * 4096 -
                                                 static_cast<std::uintmax_t>(pages) * 4096);
    }

private:
    std::filesystem::path path_;
    bool mounted_ = false;
};
