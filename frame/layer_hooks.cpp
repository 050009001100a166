#include "frame/layer_hooks.h"

#include "common/help_context.h"
#include "frame/menu_commands.h"

void ConnectLayers()
{
    HelpMenuCommand = DoHelpCommand;
}
