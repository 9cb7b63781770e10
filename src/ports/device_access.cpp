// SPDX-License-Identifier: GPL-3.0-or-later
// Whether this user may open a device, and why: the file's mode, groups, ACL, udev's tags.
#include "ports/device_check.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ports/device_files.h"

#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace morvane {
namespace {

std::string GroupName(gid_t gid) {
  std::vector<char> buffer(4096);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return std::to_string(gid);
  }
  return found->gr_name;
}

std::vector<gid_t> GroupsOfThisLogin() {
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
  groups.resize(static_cast<std::size_t>(
      std::max(0, ::getgroups(static_cast<int>(groups.size()), groups.data()))));
  groups.push_back(::getegid());
  return groups;
}

// The groups the group database gives the user: those of the next login.
std::vector<gid_t> GroupsListingUser(uid_t uid) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return {};
  }
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return {};
  }
  groups.resize(static_cast<std::size_t>(count));
  return groups;
}

// Whether the device's access ACL has an entry for this user that allows reading and
// writing, as udev's uaccess sets for the user at the seat. The layout is the kernel's:
// a 4-byte version 2, then entries of tag (2 bytes), permissions (2) and id (4), little-endian.
bool AclGrants([[maybe_unused]] const std::string& device, [[maybe_unused]] uid_t uid) {
#if defined(__linux__)
  unsigned char acl[1024];
  const ssize_t n = ::getxattr(device.c_str(), "system.posix_acl_access", acl, sizeof acl);
  if (n < 4 || (n - 4) % 8 != 0) return false;
  const auto word = [&](ssize_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | acl[at + i];
    return v;
  };
  if (word(0, 4) != 2) return false;
  constexpr std::uint32_t kUser = 0x02, kMask = 0x10, kReadWrite = 0x06;
  bool user = false;
  bool mask = true;
  for (ssize_t at = 4; at < n; at += 8) {
    const std::uint32_t tag = word(at, 2);
    const std::uint32_t perm = word(at + 2, 2);
    if (tag == kUser && word(at + 4, 4) == uid) user = (perm & kReadWrite) == kReadWrite;
    if (tag == kMask) mask = (perm & kReadWrite) == kReadWrite;
  }
  return user && mask;
#else
  return false;
#endif
}

}  // namespace

AccessFacts AccessOf(const std::string& device) {
  AccessFacts a;
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return a;
  const uid_t uid = ::geteuid();
  a.root = uid == 0;
  a.mayOpen = ::access(device.c_str(), R_OK | W_OK) == 0;
  a.owner = st.st_uid == uid && (st.st_mode & (S_IRUSR | S_IWUSR)) == (S_IRUSR | S_IWUSR);
  a.groupMay = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
  a.everyone = (st.st_mode & (S_IROTH | S_IWOTH)) == (S_IROTH | S_IWOTH);
  a.group = GroupName(st.st_gid);
  const std::vector<gid_t> now = GroupsOfThisLogin();
  a.inGroup = std::find(now.begin(), now.end(), st.st_gid) != now.end();
  if (!a.inGroup) {
    const std::vector<gid_t> listed = GroupsListingUser(uid);
    a.inGroupAfterLogin = std::find(listed.begin(), listed.end(), st.st_gid) != listed.end();
  }
  a.acl = AclGrants(device, uid);
  return a;
}

UdevFacts UdevOf([[maybe_unused]] const std::string& device,
                      [[maybe_unused]] const SystemRoots& roots) {
  UdevFacts udev;
#if defined(__linux__)
  const std::string numbers = CharDeviceNumbers(device);
  if (numbers.empty()) return udev;
  std::ifstream data(roots.udevData + "/c" + numbers);
  if (!data) return udev;
  udev.known = true;
  for (std::string line; std::getline(data, line);) {
    if (line == "G:uaccess" || line == "Q:uaccess") udev.uaccess = true;
    if (line == "E:ID_MM_DEVICE_IGNORE=1") udev.mmIgnore = true;
  }
#endif
  return udev;
}

}  // namespace morvane
