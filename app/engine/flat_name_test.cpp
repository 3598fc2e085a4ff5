#include "app/engine/flat_name.h"

#include <gtest/gtest.h>

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
