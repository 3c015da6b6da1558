// Walking the parts folder.
#include "platform/parts_tree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <utility>

#include "platform/sjis.h"

namespace plenwick {

namespace {

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

class Walker {
 public:
  Walker(bool foldersOnly, std::vector<std::string>& notices) : foldersOnly_(foldersOnly), notices_(notices) {}

  void Walk(PartsTreeNode& folder, int depth) {
    struct stat st {};
    if (::stat(folder.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
      Notice("フォルダーを開けません: " + folder.path);
      return;
    }
    visited_.insert({st.st_dev, st.st_ino});
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.path.c_str()));
    if (!dir) {
      Notice("フォルダーを開けません: " + folder.path);
      return;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string_view name = entry->d_name;
      if (name.empty() || name.front() == '.') continue;
      if (++entries_ > kPartsTreeMaxEntries) {
        if (entries_ == kPartsTreeMaxEntries + 1) Notice("部品データが多すぎるため、一部だけを表示します。");
        break;
      }
      if (!IsValidUtf8(name)) {
        Notice("表示できない名前の項目を省きました: " + folder.path);
        continue;
      }
      PartsTreeNode node;
      node.name = std::string(name);
      node.path = folder.path + "/" + node.name;
      struct stat est {};
      if (::stat(node.path.c_str(), &est) != 0) continue;  // a dangling link
      if (S_ISDIR(est.st_mode)) {
        node.folder = true;
        // A folder reached again through a link would be walked for ever.
        if (visited_.contains({est.st_dev, est.st_ino})) {
          Notice("同じフォルダーへのリンクを省きました: " + node.path);
          continue;
        }
        if (depth + 1 >= kPartsTreeMaxDepth) {
          Notice("フォルダーの階層が深すぎます: " + node.path);
          continue;
        }
        Walk(node, depth + 1);
      } else if (S_ISREG(est.st_mode)) {
        if (foldersOnly_) continue;
        node.kind = PartKindOfName(node.name);
        if (node.kind == PartKind::kNone) continue;
      } else {
        continue;
      }
      folder.children.push_back(std::move(node));
    }
    std::sort(folder.children.begin(), folder.children.end(),
              [](const PartsTreeNode& a, const PartsTreeNode& b) { return a.name < b.name; });
  }

 private:
  void Notice(std::string text) {
    if (notices_.size() < kMaxNotices) notices_.push_back(std::move(text));
  }
  static constexpr std::size_t kMaxNotices = 20;

  bool foldersOnly_;
  std::vector<std::string>& notices_;
  std::set<std::pair<dev_t, ino_t>> visited_;
  std::size_t entries_ = 0;
};

}  // namespace

PartKind PartKindOfName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return PartKind::kNone;
  std::string ext(name.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ext == "DXF") return PartKind::kDxf;
  if (ext == "PWK") return PartKind::kPwk;
  if (ext == "JWW") return PartKind::kJww;
  return PartKind::kNone;
}

PartsTree BuildPartsTree(const std::string& root, bool foldersOnly) {
  PartsTree tree;
  tree.root.name = root;
  tree.root.path = root;
  tree.root.folder = true;
  Walker(foldersOnly, tree.notices).Walk(tree.root, 0);
  return tree;
}

std::string UsablePartsFolder(std::string_view stored, const std::string& defaultFolder, std::string* notice) {
  if (notice) notice->clear();
  std::string folder(stored);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty()) return defaultFolder;
  // A Windows path ("c:\部品データ") or a relative one names no folder of this machine.
  if (folder.front() != '/') {
    if (notice) *notice = "部品データのフォルダー「" + folder + "」はこの環境では使えないため、" + defaultFolder + " を使います。";
    return defaultFolder;
  }
  return folder;
}

}  // namespace plenwick
