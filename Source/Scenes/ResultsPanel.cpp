#include "Scenes/ResultsPanel.h"

#include "GameEngine/FontLoader.h"
#include "GameEngine/ScreenScale.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>

const std::vector<std::wstring> ResultsPanel::columns = {L"Player",  L"Rank",     L"Score",     L"Camps held",
                                                         L"Founded", L"Captured", L"Units held"};
const irr::video::SColor ResultsPanel::backgroundColor(215, 28, 28, 32);
const irr::video::SColor ResultsPanel::textColor(255, 235, 235, 235);
const irr::video::SColor ResultsPanel::headingColor(255, 236, 190, 92);

ResultsPanel* ResultsPanel::addTo(BaseGameScene& match)
{
    auto* panel = new ResultsPanel(match);
    // The GUI holds it from here on.
    panel->drop();
    return panel;
}

ResultsPanel::ResultsPanel(BaseGameScene& match)
    : IGUIElement(irr::gui::EGUIET_ELEMENT, match.guiEnvironment, match.guiEnvironment->getRootGUIElement(),
                  -1, irr::core::recti(0, 0, 0, 0)),
      match(match)
{
    font = FontLoader::load(match.guiEnvironment, fontPath);
    headingFont = FontLoader::load(match.guiEnvironment, headingFontPath);
}

bool ResultsPanel::isPointInside(const irr::core::position2di& /*point*/) const
{
    return false;
}

void ResultsPanel::draw()
{
    if (!isVisible())
        return;
    if (currentPhase == Phase::waiting)
    {
        if (!match.result)
            return;
        take(*match.result);
    }
    advance();
    irr::video::IVideoDriver* driver = match.driver;
    driver->draw2DRectangle(backgroundColor, panelArea);
    const irr::s32 padding = ScreenScale::scaled(cellPadding, driver->getScreenSize().Height) / 2;
    irr::s32 top = panelArea.UpperLeftCorner.Y + padding;
    headingFont->draw(heading,
                      {panelArea.UpperLeftCorner.X, top, panelArea.LowerRightCorner.X, top + headingHeight},
                      headingColor, true, true);
    top += headingHeight;
    for (std::size_t column = 0; column < columns.size(); ++column)
        font->draw(columns[column].c_str(),
                   {columnLefts[column], top, columnLefts[column] + columnWidths[column], top + lineHeight},
                   headingColor, true, true);
    top += lineHeight;
    for (std::size_t row = 0; row < revealed; ++row, top += lineHeight)
        drawRow(row, top);
}

void ResultsPanel::take(const MatchStandings& standings)
{
    for (const MatchStandings::Player& player : standings.ranked())
    {
        table.push_back({player.name(), std::to_wstring(player.rank), std::to_wstring(player.score),
                         std::to_wstring(player.campsHeld), std::to_wstring(player.campsFounded),
                         std::to_wstring(player.campsCaptured), std::to_wstring(player.unitsHeld)});
        irr::video::SColor color = player.color;
        color.setAlpha(255);
        colors.push_back(color);
    }
    layOut();
    currentPhase = table.empty() ? Phase::standing : Phase::revealing;
}

void ResultsPanel::layOut()
{
    const irr::core::dimension2du screen = match.driver->getScreenSize();
    const irr::s32 padding = ScreenScale::scaled(cellPadding, screen.Height);
    lineHeight = static_cast<irr::s32>(font->getDimension(L"Ag").Height) + padding / 2;
    headingHeight = static_cast<irr::s32>(headingFont->getDimension(heading).Height) + padding / 2;
    irr::s32 width = padding;
    for (std::size_t column = 0; column < columns.size(); ++column)
    {
        irr::u32 widest = font->getDimension(columns[column].c_str()).Width;
        for (const std::vector<std::wstring>& row : table)
            widest = std::max(widest, font->getDimension(row[column].c_str()).Width);
        columnLefts.push_back(width);
        columnWidths.push_back(static_cast<irr::s32>(widest) + padding);
        width += columnWidths.back() + padding / 2;
    }
    width += padding / 2;
    const irr::s32 height = headingHeight + lineHeight * static_cast<irr::s32>(table.size() + 1) + padding;
    // In the middle of the room between the announcer's lines and the score bar.
    const irr::s32 roomTop = ScreenScale::scaled(announcementsEnd, screen.Height);
    const irr::s32 roomBottom = BaseGameScene::scoreBarTop(screen);
    const irr::s32 top = std::max(roomTop, (roomTop + roomBottom - height) / 2);
    const irr::s32 left = (static_cast<irr::s32>(screen.Width) - width) / 2;
    panelArea = {left, top, left + width, top + height};
    for (irr::s32& columnLeft : columnLefts)
        columnLeft += left;
}

void ResultsPanel::advance()
{
    if (currentPhase != Phase::revealing)
        return;
    shownFor += match.frameDelta;
    revealed = std::min(table.size(), static_cast<std::size_t>(shownFor / rowInterval) + 1);
    if (revealed == table.size())
        currentPhase = Phase::standing;
}

void ResultsPanel::drawRow(std::size_t row, irr::s32 top) const
{
    const irr::core::recti nameCell(columnLefts[0], top + 1, columnLefts[0] + columnWidths[0],
                                    top + lineHeight - 1);
    match.driver->draw2DRectangle(colors[row], nameCell);
    for (std::size_t column = 0; column < columns.size(); ++column)
        font->draw(table[row][column].c_str(),
                   {columnLefts[column], top, columnLefts[column] + columnWidths[column], top + lineHeight},
                   column == 0 ? nameTextColor(colors[row]) : textColor, true, true);
}

irr::video::SColor ResultsPanel::nameTextColor(irr::video::SColor fill) const
{
    // Dark letters on a light colour, light ones on a dark colour.
    const irr::u32 luminance = (fill.getRed() * 299 + fill.getGreen() * 587 + fill.getBlue() * 114) / 1000;
    return luminance > 140 ? irr::video::SColor(255, 16, 16, 16) : textColor;
}
