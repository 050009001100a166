// What the starter libraries and templates hold: each symbol drawn from the
// program's shape types and straight lines in a square of 600 units.
#include "starter/starter_content.h"

#include "objects/shape_types.h"

namespace {

StarterPart Line(LONG x1, LONG y1, LONG x2, LONG y2)
{
    return {kStarterLine, {x1, y1, x2, y2}};
}

// The parts moved by (dx, dy), for symbols placed in a template.
std::vector<StarterPart> Moved(const std::vector<StarterPart>& parts, LONG dx, LONG dy)
{
    std::vector<StarterPart> moved = parts;
    for (StarterPart& part : moved)
        OffsetRect(&part.frame, dx, dy);
    return moved;
}

void Append(std::vector<StarterPart>* to, const std::vector<StarterPart>& parts)
{
    to->insert(to->end(), parts.begin(), parts.end());
}

const std::vector<StarterSymbol>& BasicShapes()
{
    static const std::vector<StarterSymbol> symbols = {
        {"Rectangle;box,square,block", {{kShapeRectangle, {0, 100, 600, 500}}}},
        {"Rounded Rectangle;box,round,block", {{kShapeRoundRect, {0, 100, 600, 500}}}},
        {"Oval;ellipse,round", {{kShapeOval, {0, 100, 600, 500}}}},
        {"Circle;round,ring", {{kShapeCircle, {0, 0, 600, 600}}}},
        {"Triangle;three,corner", {{kShapeTriangle, {0, 0, 600, 600}}}},
        {"Pentagon;five,corner", {{kShapePentagon, {0, 0, 600, 600}}}},
        {"Octagon;eight,corner,stop", {{kShapeOctagon, {0, 0, 600, 600}}}},
        {"Trapezoid;four,corner", {{kShapeTrapezoid, {0, 100, 600, 500}}}},
        {"Right Arrow;arrow,direction,next", {{kShapeRightArrow, {0, 150, 600, 450}}}},
        {"Left Arrow;arrow,direction,back", {{kShapeLeftArrow, {0, 150, 600, 450}}}},
        {"Up Arrow;arrow,direction", {{kShapeTopArrow, {150, 0, 450, 600}}}},
        {"Down Arrow;arrow,direction", {{kShapeBottomArrow, {150, 0, 450, 600}}}},
    };
    return symbols;
}

const std::vector<StarterSymbol>& FlowchartSymbols()
{
    static const std::vector<StarterSymbol> symbols = {
        {"Process;flowchart,step,action", {{kShapeRectangle, {0, 150, 600, 450}}}},
        {"Decision;flowchart,branch,question", {{kShapeDecision, {0, 100, 600, 500}}}},
        {"Terminator;flowchart,start,end,stop", {{kShapeTerminate, {0, 175, 600, 425}}}},
        {"Data;flowchart,input,output", {{kShapeInputOutput, {0, 150, 600, 450}}}},
        {"Document;flowchart,report,paper", {{kShapeDocument, {0, 125, 600, 475}}}},
        {"Manual Input;flowchart,keyboard,entry", {{kShapeManualInput, {0, 150, 600, 450}}}},
        {"Manual Operation;flowchart,hand", {{kShapeManualOperation, {0, 150, 600, 450}}}},
        {"Preparation;flowchart,setup,loop", {{kShapePreparation, {0, 150, 600, 450}}}},
        {"Off-Page Connector;flowchart,page,jump", {{kShapeOffPage, {100, 0, 500, 600}}}},
        {"Delay;flowchart,wait", {{kShapeDelay, {0, 150, 600, 450}}}},
        {"Display;flowchart,screen,show", {{kShapeDisplay, {0, 150, 600, 450}}}},
        {"Stored Data;flowchart,storage,disk", {{kShapeOnlineStorage, {0, 150, 600, 450}}}},
        {"Connector;flowchart,join,circle", {{kShapeCircle, {150, 150, 450, 450}}}},
    };
    return symbols;
}

const StarterSymbol& Computer()
{
    static const StarterSymbol symbol = {"Computer;network,pc,workstation,desktop",
                                         {{kShapeRectangle, {0, 0, 600, 400}},
                                          {kShapeRectangle, {50, 50, 550, 350}},
                                          {kShapeRectangle, {250, 400, 350, 480}},
                                          {kShapeRectangle, {100, 480, 500, 560}}}};
    return symbol;
}

const StarterSymbol& Server()
{
    static const StarterSymbol symbol = {"Server;network,host,file server",
                                         {{kShapeRectangle, {150, 0, 450, 600}}, Line(150, 150, 450, 150),
                                          Line(150, 300, 450, 300), Line(150, 450, 450, 450),
                                          {kShapeCircle, {370, 500, 430, 560}}}};
    return symbol;
}

const StarterSymbol& Hub()
{
    static const StarterSymbol symbol = {"Hub;network,lan,ethernet,concentrator",
                                         {{kShapeRectangle, {0, 200, 600, 400}},
                                          {kShapeCircle, {50, 275, 110, 335}},
                                          {kShapeCircle, {170, 275, 230, 335}},
                                          {kShapeCircle, {290, 275, 350, 335}},
                                          {kShapeCircle, {410, 275, 470, 335}},
                                          {kShapeCircle, {520, 275, 580, 335}}}};
    return symbol;
}

const StarterSymbol& Router()
{
    static const StarterSymbol symbol = {"Router;network,wan,gateway,route",
                                         {{kShapeOval, {0, 150, 600, 450}}, Line(150, 225, 450, 375),
                                          Line(150, 375, 450, 225), Line(100, 300, 500, 300)}};
    return symbol;
}

const StarterSymbol& Cloud()
{
    static const StarterSymbol symbol = {"Internet;network,cloud,wan,web",
                                         {{kShapeOval, {0, 200, 300, 450}},
                                          {kShapeOval, {300, 200, 600, 450}},
                                          {kShapeOval, {150, 100, 450, 400}},
                                          {kShapeOval, {100, 300, 500, 500}}}};
    return symbol;
}

const StarterSymbol& Laptop()
{
    static const StarterSymbol symbol = {"Laptop;network,notebook,portable,pc",
                                         {{kShapeRectangle, {75, 0, 525, 350}},
                                          {kShapeRectangle, {115, 40, 485, 310}},
                                          {kShapeTrapezoid, {0, 350, 600, 450}}}};
    return symbol;
}

const StarterSymbol& Switch()
{
    static const StarterSymbol symbol = {"Switch;network,lan,ethernet",
                                         {{kShapeRectangle, {0, 150, 600, 450}},
                                          {kShapeRightArrow, {100, 190, 500, 290}},
                                          {kShapeLeftArrow, {100, 310, 500, 410}}}};
    return symbol;
}

const StarterSymbol& Modem()
{
    static const StarterSymbol symbol = {"Modem;network,dial,line,telephone",
                                         {{kShapeRectangle, {0, 250, 600, 400}}, {kShapeCircle, {60, 300, 110, 350}},
                                          {kShapeCircle, {160, 300, 210, 350}}, Line(300, 250, 300, 100),
                                          Line(300, 100, 500, 100)}};
    return symbol;
}

const StarterSymbol& Printer()
{
    static const StarterSymbol symbol = {"Printer;network,print,paper,output",
                                         {{kShapeRectangle, {120, 0, 480, 220}}, {kShapeRectangle, {0, 200, 600, 450}},
                                          {kShapeRectangle, {120, 450, 480, 560}}}};
    return symbol;
}

const StarterSymbol& Firewall()
{
    static const StarterSymbol symbol = {"Firewall;network,security,wall,protect",
                                         {{kShapeRectangle, {0, 100, 600, 500}}, Line(0, 233, 600, 233),
                                          Line(0, 366, 600, 366), Line(300, 100, 300, 233), Line(150, 233, 150, 366),
                                          Line(450, 233, 450, 366), Line(300, 366, 300, 500)}};
    return symbol;
}

const StarterSymbol& Storage()
{
    static const StarterSymbol symbol = {"Storage;network,disk,database,backup",
                                         {{kShapeOnlineStorage, {0, 100, 600, 500}}}};
    return symbol;
}

const std::vector<StarterSymbol>& NetworkDevices()
{
    static const std::vector<StarterSymbol> symbols = {Computer(), Laptop(),   Server(),   Hub(),
                                                       Switch(),   Router(),   Modem(),    Printer(),
                                                       Firewall(), Storage(), Cloud()};
    return symbols;
}

const std::vector<StarterSymbol>& PersonalComputers()
{
    static const std::vector<StarterSymbol> symbols = {
        Computer(),
        Laptop(),
        {"Tower;pc,computer,case,desktop",
         {{kShapeRectangle, {175, 0, 425, 600}}, Line(215, 100, 385, 100), Line(215, 160, 385, 160),
          {kShapeCircle, {275, 460, 325, 510}}}},
        {"Monitor;pc,screen,display",
         {{kShapeRectangle, {0, 50, 600, 450}}, {kShapeRectangle, {50, 100, 550, 400}},
          {kShapeTrapezoid, {200, 450, 400, 550}}}},
        {"Keyboard;pc,keys,input",
         {{kShapeRectangle, {0, 200, 600, 400}}, Line(0, 266, 600, 266), Line(0, 333, 600, 333),
          Line(150, 200, 150, 400), Line(300, 200, 300, 400), Line(450, 200, 450, 400)}},
    };
    return symbols;
}

const std::vector<StarterSymbol>& Printers()
{
    static const std::vector<StarterSymbol> symbols = {
        Printer(),
        {"Plotter;printer,drawing,large,output",
         {{kShapeRectangle, {0, 150, 600, 350}}, {kShapeRectangle, {100, 350, 500, 550}},
          Line(100, 350, 0, 550), Line(500, 350, 600, 550)}},
        {"Scanner;printer,copy,input,image",
         {{kShapeRectangle, {0, 250, 600, 450}}, {kShapeTrapezoid, {0, 150, 600, 250}},
          Line(50, 350, 550, 350)}},
        {"Fax;printer,telephone,send",
         {{kShapeRectangle, {0, 200, 600, 500}}, {kShapeRectangle, {150, 50, 450, 200}},
          {kShapeRectangle, {380, 260, 560, 440}}}},
    };
    return symbols;
}

const std::vector<StarterSymbol>& Servers()
{
    static const std::vector<StarterSymbol> symbols = {
        Server(),
        Storage(),
        {"Rack;server,cabinet,mount",
         {{kShapeRectangle, {100, 0, 500, 600}}, Line(100, 100, 500, 100), Line(100, 200, 500, 200),
          Line(100, 300, 500, 300), Line(100, 400, 500, 400), Line(100, 500, 500, 500)}},
        {"Mainframe;server,host,central,computer",
         {{kShapeRectangle, {0, 0, 280, 600}}, {kShapeRectangle, {320, 0, 600, 600}},
          {kShapeRectangle, {40, 60, 240, 200}}, {kShapeRectangle, {360, 60, 560, 200}}}},
    };
    return symbols;
}

const std::vector<StarterSymbol>& Switches()
{
    static const std::vector<StarterSymbol> symbols = {Switch(), Hub(), Router(), Modem(), Firewall()};
    return symbols;
}

std::vector<StarterPart> FlowchartPage()
{
    const LONG x = 3000;
    std::vector<StarterPart> parts = {
        {kShapeTerminate, {x - 600, 600, x + 600, 1100}},       Line(x, 1100, x, 1500),
        {kShapeRectangle, {x - 600, 1500, x + 600, 2100}},      Line(x, 2100, x, 2500),
        {kShapeDecision, {x - 750, 2500, x + 750, 3400}},       Line(x, 3400, x, 3800),
        {kShapeInputOutput, {x - 600, 3800, x + 600, 4400}},    Line(x, 4400, x, 4800),
        {kShapeTerminate, {x - 600, 4800, x + 600, 5300}},      Line(x + 750, 2950, x + 1500, 2950),
        {kShapeRectangle, {x + 1500, 2650, x + 2700, 3250}},
    };
    return parts;
}

std::vector<StarterPart> NetworkPage()
{
    std::vector<StarterPart> parts;
    Append(&parts, Moved(Cloud().parts, 2700, 300));
    Append(&parts, Moved(Router().parts, 2700, 1300));
    Append(&parts, Moved(Hub().parts, 2700, 2600));
    Append(&parts, Moved(Server().parts, 900, 2600));
    parts.push_back(Line(3000, 750, 3000, 1450));
    parts.push_back(Line(3000, 1750, 3000, 2800));
    parts.push_back(Line(1350, 2900, 2700, 2900));
    // The desks hang on one cable below the hub.
    parts.push_back(Line(3000, 3000, 3000, 3500));
    parts.push_back(Line(1500, 3500, 4500, 3500));
    for (int i = 0; i < 3; ++i) {
        const LONG x = 1500 + 1500 * i;
        Append(&parts, Moved(Computer().parts, x - 300, 4000));
        parts.push_back(Line(x, 3500, x, 4000));
    }
    return parts;
}

} // namespace

const std::vector<StarterLibrary>& StarterLibraries()
{
    static const std::vector<StarterLibrary> libraries = {
        {"Basic", "Basic Shapes", BasicShapes()},
        {"Flowchart", "Flowchart", FlowchartSymbols()},
        {"Network", "Network Devices", NetworkDevices()},
        // The libraries a new installation's options name and reopen.
        {"PERCOMP", "PC1", PersonalComputers()},
        {"COMPUT", "SERVERS2", Servers()},
        {"PERCOMP", "PRINTER1", Printers()},
        {"LAN", "SWITCHE2", Switches()},
    };
    return libraries;
}

const std::vector<StarterTemplate>& StarterTemplates()
{
    static const std::vector<StarterTemplate> templates = {
        {nullptr, "Tessary", {}},
        {"General", "Blank Page", {}},
        {"Flowchart", "Flowchart", FlowchartPage()},
        {"Network", "Network Diagram", NetworkPage()},
    };
    return templates;
}
