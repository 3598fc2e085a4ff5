#include "app/engine/flat_name.h"

#include <gtest/gtest.h>

#include "platform/sys/process.h"
#include "testing/test_files.h"
#include "platform/fs/volume.h"

TEST(FlatName, DropsDriveProfileFoldersAndUserAndJoinsLevels) {
  EXPECT_EQ(FlattenName(L"C:\\Documents and Settings\\bob\\My Documents\\Proj\\Debug\\main.obj", L"C:", L"bob", false),
            L"_Proj_Debug_main.obj");
  EXPECT_EQ(FlattenName(L"D:\\Work\\Proj\\Debug", L"D:", L"bob", true), L".Work.Proj.Debug");
  // The user's name goes wherever it stands, also inside other names.
  EXPECT_EQ(FlattenName(L"C:\\src\\bobcat\\a.obj", L"C:", L"bob", false), L"_src_cat_a.obj");
  // An empty user name removes nothing; the drive pair goes wherever it occurs.
  EXPECT_EQ(FlattenName(L"C:\\x\\C:y.obj", L"C:", L"", false), L"_x_y.obj");
  // Removals are case-sensitive.
  EXPECT_EQ(FlattenName(L"C:\\my documents\\a.obj", L"C:", L"BOB", false), L"_my documents_a.obj");
}

TEST(FlatName, ForwardSlashesAndVolumeRootsOfPosix) {
  EXPECT_EQ(FlattenName(L"C:/src//sub/a.obj", L"C:", L"", false), L"_src_sub_a.obj");
  // A volume root such as $HOME is dropped once "/" became "\".
  EXPECT_EQ(FlattenName(L"/home/bob/src/Debug", L"\\home\\bob", L"bob", true), L".src.Debug");
  EXPECT_EQ(FlattenName(L"/mnt/data/src/a.o", L"\\mnt\\data", L"eve", false), L"_src_a.o");
  // The file-system root drops nothing; the first separator stays a separator.
  EXPECT_EQ(FlattenName(L"/srv/a.o", L"", L"eve", false), L"_srv_a.o");
  // Everything removed: the name is still a name.
  EXPECT_EQ(FlattenName(L"C:", L"C:", L"", true), L".");
}

// A tree's prefix, read once, names every item inside the tree as the
// prefix of the item's own folder does: wherever $HOME lies, also below the
// tree (where the items are named from two roots) and through a link.
TEST(FlatName, ATreeNamesItsItemsAsTheirOwnFoldersDo) {
  CScopedTempFolder tmp;
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"top/home/src/deep"));
  ASSERT_TRUE(MakeFoldersForTesting(tmp / L"top/other/deep"));
  const bool links = MakeLinkForTesting(tmp / L"top/home", tmp / L"homelink", true);
  const struct {
    CString home, root;
    bool varies;  // POSIX
  } cases[] = {
      {tmp / L"top/home", tmp / L"top/home/src", false},  // the tree under $HOME
      {tmp / L"top/home", tmp / L"top/other", false},     // beside it: the mount point
      {tmp / L"top/home", tmp / L"top", true},            // $HOME below the tree
      {tmp / L"top/home", tmp / L"top/", true},
      {tmp / L"homelink", tmp / L"top", true},            // as the file system has it
      {tmp / L"top/home/src", tmp / L"top/home", true},
  };
  const CString items[] = {L"home/src/deep/a.obj", L"home/src/b.obj", L"home/c.obj", L"other/deep/d.obj", L"e.obj"};
  for (const auto& c : cases) {
    if (!links && c.home == tmp / L"homelink") continue;
    CScopedEnvironment env(L"HOME", c.home);
    const bool posix = PlatformPathSeparator() == L'/';
    EXPECT_EQ(DrivePrefixVariesBelow(c.root), posix && c.varies) << c.root;
    CFlatNames tree, folders;
    tree.SetTree(c.root);
    for (const CString& item : items) {
      const CString path = tmp / (L"top/" + item);
      for (const bool isFolder : {false, true})
        EXPECT_EQ(tree.Of(path, isFolder), folders.Of(path, isFolder)) << c.home << " " << c.root << " " << path;
    }
  }
}
