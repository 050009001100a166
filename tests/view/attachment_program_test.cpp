// Attachments in the running program: a file attached to a drawn shape, the
// document then asking to be saved, the attachment still there after the
// drawing is opened again, cleared after its one question, and back with Undo.
#include <gtest/gtest.h>

#include <string>

#include "objects/attachment_records.h"
#include "objects/drawing_tables.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"

namespace {

const POINT kShapeFrom = {60, 60};
const POINT kShapeTo = {200, 140};

class AttachmentProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("attached.tyr");
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false));
        }
        StartWith(file_);
    }
    // How many objects of the file on disk carry an attachment, and the name of the last.
    int AttachedInFile(std::string* name = nullptr)
    {
        int attached = 0;
        ScratchDrawing reader;
        EXPECT_EQ(0, reader.Inspect(file_, [&](DrawingRecord* drawing) {
            LockedTable objects(drawing, kTableObjects);
            for (int i = 0; i < objects.Count(); ++i) {
                char text[kAttachNameSize] = "";
                int type = -1;
                if (ReadAttachment(drawing->storeSlot, ObjectAt(objects.Get(), i)->objectId, text, &type) == kErrNone) {
                    ++attached;
                    if (name)
                        *name = text;
                }
            }
        }));
        return attached;
    }
    int AttachedAfterSave()
    {
        Command(desktop_ids::kSave);
        return AttachedInFile();
    }
    void SelectShape()
    {
        RealClick(ClientToScreenPoint(view_, {(kShapeFrom.x + kShapeTo.x) / 2, (kShapeFrom.y + kShapeTo.y) / 2}));
        ASSERT_TRUE(program_.Settle());
    }
    void Answer(int button)
    {
        HWND box = AwaitDialog();
        ASSERT_NE(nullptr, box) << "a question";
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        ASSERT_TRUE(program_.Settle());
    }

    std::string file_;
};

TEST_F(AttachmentProgram, AttachedKeptAcrossOpeningsClearedAndUndone)
{
    DrawRectangle(kShapeFrom, kShapeTo);
    SelectShape();
    Command(IDM_DRAW_ATTACH_FILE);
    HWND dialog = AwaitDialog("Attach a Document to an Object");
    ASSERT_NE(nullptr, dialog);
    // The drawing itself is attached: opening it brings its own window forward.
    SendMessageA(GetDlgItem(dialog, IDC_ATTACH_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file_.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program_.Settle());
    Screenshot("attachment_marker_on_shape");

    // Attaching changed the document: closing asks, and Yes saves it.
    Command(IDM_FILE_CLOSE);
    Answer(IDYES);
    std::string name;
    EXPECT_EQ(1, AttachedInFile(&name)) << "saved when the document closed";
    EXPECT_EQ(file_, name);

    program_.Close();
    StartWith(file_);
    EXPECT_EQ(1, AttachedAfterSave()) << "still there after opening the drawing again";

    SelectShape();
    Command(IDM_DRAW_CLEAR_ATTACHMENT);
    Answer(IDYES);
    Screenshot("attachment_cleared");
    EXPECT_EQ(0, AttachedAfterSave()) << "cleared";

    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(1, AttachedAfterSave()) << "Undo brings it back";
}

} // namespace
