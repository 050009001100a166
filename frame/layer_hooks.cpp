#include "frame/layer_hooks.h"

#include "common/help_context.h"
#include "common/info_dialog.h"
#include "documents/document_window_hooks.h"
#include "frame/menu_commands.h"
#include "frame/menu_enabling.h"
#include "frame/option_flags.h"
#include "frame/angle_scale_dialogs.h"
#include "frame/arrow_dialog.h"
#include "frame/right_menu.h"
#include "frame/ruler_dialog.h"
#include "frame/sizing_dialogs.h"
#include "frame/run_tool_edit_dlg.h"
#include "frame/style_dialogs.h"
#include "frame/symbol_dialog.h"
#include "libraries/library_colors.h"
#include "libraries/library_windows.h"
#include "libraries/symbol_hooks.h"
#include "libraries/template_dialogs.h"
#include "lines/array_kind.h"
#include "lines/connector_kind.h"
#include "lines/straight_line_kind.h"
#include "objects/document_palette.h"
#include "ole/drawing_render.h"
#include "ole/clipboard_data_object.h"
#include "ole/ole_documents.h"
#include "documents/clipboard_exchange.h"
#include "view/clipboard_copy.h"
#include "documents/document_records.h"
#include "objects/object_kind_table.h"
#include "objects/object_text_hooks.h"
#include "objects/shape_kind.h"
#include "ole/drag_source.h"
#include "ole/picture_export.h"
#include "ole/symbol_render.h"
#include "text/object_text_layout.h"
#include "text/object_text_messages.h"
#include "text/object_text_paint.h"
#include "text/text_background.h"
#include "view/drag_out.h"
#include "view/view_hooks.h"

void ConnectLayers()
{
    HelpMenuCommand = DoHelpCommand;
    HintsFlag = {HintsShown, SetHintsShown};
    ConnectLibraryToolTips();
    ObjectTextCalls = {ApplyObjectTextMessage, DrawObjectText, ReflowObjectText};
    MergeLibraryColorsCall = MergeLibraryColors;
    StorePreviewCall = StorePreviewBitmap;
    ClipboardCalls = {SetClipboardDocName, PutDrawingOnClipboard};
    ClipboardOwnedCall = ClipboardObjectOwnsClipboard;
    DragOutCalls.run = RunDragOut;
    RegisterViewHooks();
    FrameCalls.activateView = ActivateDocumentView;
    FrameCalls.trackRightMenu = TrackRightMenu;
    FrameCalls.editToolSlot = RunToolEditDlg;
    FrameCalls.editAngle = RunAngleDlg;
    FrameCalls.editScale = RunScaleDlg;
    FrameCalls.editTextSizing = RunTextDlg;
    FrameCalls.editShapeSizing = RunPictureDlg;
    FrameCalls.documentOpened = OpenLibrariesForDocument;
    FrameCalls.chooseTemplate = RunTemplateDlg;
    FrameCalls.chooseSymbol = RunSymbolDlg;
    FrameCalls.editRulers = RunRulerDlg;
    FrameCalls.editArrowheads = RunArrowDlg;
    FrameCalls.editColorStyle = RunStyleDlg;
    FrameCalls.placingSymbolSize = PlacingSymbolSize;
    FrameCalls.placeSymbol = DropVexletOnDrawing;
    FrameCalls.deselectSymbol = DeselectPlacingSymbol;
    ExportPictureCall = ExportPictureAs;
    RenderSelectionForSymbolCall = RenderSelectionForSymbol;
    ConnectOleDocuments();
}

ErrorCode InitObjectKinds()
{
    ConnectLayers();
    ObjectKindTable[kKindShape] = DEV_IradeDududir;
    ObjectKindTable[kKindLine] = RUV_OvadERovazad;
    ObjectKindTable[kKindConnector] = VIZ_OvaVOzediru;
    ObjectKindTable[kKindArray] = VAD_OzudiZaravoz;
    // Slot 4 is the text editor's background painter, read back by the text code
    // under its own type; it is never called as a kind.
    ObjectKindTable[kKindTextPainter] = reinterpret_cast<ObjectKindHandler>(reinterpret_cast<void (*)()>(VOR_EDAZovu));
    return kErrNone;
}
