#pragma once

#include "GameEngine/AssetShelf.h"
#include "GameEngine/BaseScene.h"
#include "Scenes/MatchStandings.h"

#include <irrlicht.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AIPlayer;
class BaseEntity;
class BasePlayer;
class Camp;
class HumanPlayer;
class ISoundEngine;
class TextAnnouncer;
class Unit;
namespace irr::AI
{
class AINavigationMesh;
class AIWorld;
}  // namespace irr::AI

// A match: owns everything in the arena through its registries, and the sound engine, the navigation
// world and the announcer that the entities use. Each frame it applies the rules that span players and
// camps (borders, zones, scores, dash hits), runs the clock and, once the match is over, returns to the
// start menu.
class BaseGameScene : public BaseScene
{
public:
    static constexpr const char* matchFontPath = "../Assets/Fonts/avenir_LT_18.xml";
    static constexpr const char* musicPath = "../Assets/Audio/Background.wav";
    static constexpr float matchLength = 90000.0f;
    static constexpr int warningSeconds = 10;
    // Between the end of the match and the return to the menu.
    static constexpr float returnDelay = 3000.0f;
    // Nobody weighs less than this in the score bar and in the choice of the winner.
    static constexpr float leastWeight = 100.0f;
    static constexpr float areaFactor = 3.14f;
    static constexpr irr::s32 barHeight = 40;
    static constexpr irr::s32 clockHalfWidth = 80;
    static constexpr irr::s32 barStripWidth = 2000;
    static constexpr irr::u32 barAlpha = 0x82;
    static constexpr irr::u32 outlineColor = 0x82000000;
    static constexpr irr::u32 clockFillColor = 0x14FFFFFF;
    static constexpr irr::u32 clockTextColor = 0xFF000000;
    static constexpr irr::s32 clockTextTop = 2;

    enum AnnouncementState
    {
        nothingSaid = 0,
        warningGiven = 1,
        winnerAnnounced = 2
    };

    BaseGameScene();
    ~BaseGameScene() override;

    bool init() override;
    void update() override;
    void draw() override;
    void exit() override;

    std::shared_ptr<HumanPlayer> getHumanPlayer() const;
    std::vector<std::shared_ptr<BasePlayer>> getPlayers() const;
    std::vector<std::shared_ptr<Camp>> getCamps() const;
    std::shared_ptr<irr::AI::AIWorld> getAIWorld() const;
    // The navigation mesh of the arena's floor; null before it is set or if it could not be loaded.
    irr::AI::AINavigationMesh* walkableFloor() const;

    void createHumanPlayer(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                           const irr::core::vector3df& scale);
    void createAIPlayer(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                        const irr::core::vector3df& scale, int id);
    void createUnit(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                    const irr::core::vector3df& scale);
    // `creator` may be null: such a camp has no owner and is not registered. The registered camp, or null
    // when none could be made.
    Camp* createCamp(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                     const irr::core::vector3df& scale, BasePlayer* creator);

    // Neighbouring camps split the ground between their rings by unit count.
    void resolveCampBorders();
    // Which camp ring each player stands in.
    void updatePlayerZones();
    void updateScores();

    // Where the clock's box and the top of the score bar lie on a screen of that size.
    static irr::core::recti clockBox(const irr::core::dimension2du& screen);
    static irr::s32 scoreBarTop(const irr::core::dimension2du& screen);

    // The first player with the largest weight, the winner once the clock has run out; null without players.
    BasePlayer* leader() const;
    // A player's weight in the score bar and in the choice of the winner: its score, at least leastWeight.
    static float weightOf(const BasePlayer& player);
    // Whether `id` is the human player's number.
    bool isHumanId(irr::s32 id) const;
    // Hands a telemetry message to the connection, if telemetry is on.
    void sendTelemetry(const std::string& message) const;
    bool telemetryEnabled() const;

    irr::scene::ITriangleSelector* levelSelector = nullptr;
    std::vector<irr::video::SColorf> playerColors;
    std::vector<std::shared_ptr<Unit>> units;
    irr::scene::IMeshSceneNode* levelNode = nullptr;
    std::shared_ptr<TextAnnouncer> announcer;
    std::shared_ptr<HumanPlayer> humanPlayer;
    std::vector<std::shared_ptr<BaseEntity>> entities;
    std::vector<std::shared_ptr<BasePlayer>> players;
    std::vector<std::shared_ptr<AIPlayer>> aiPlayers;
    std::vector<std::shared_ptr<Camp>> camps;
    std::shared_ptr<irr::AI::AIWorld> aiWorld;
    irr::u32 aiPlayerCount = 0;
    irr::gui::IGUIFont* font = nullptr;
    irr::s32 announcementState = nothingSaid;
    // Set to leave the match: the next drawn frame returns to the menu. The clock sets it 3 s after the
    // end; the match menu's "Back to menu" sets it at once.
    bool matchOver = false;
    // How the players stood when the winner was announced; what the results and the menu show of it.
    std::optional<MatchStandings> result;
    ISoundEngine* soundEngine = nullptr;
    // Where the entities get their models and textures.
    AssetShelf assets;

protected:
    // Where the match gets its sound engine and navigation world; tests put stand-ins here.
    virtual ISoundEngine* createSoundEngine();
    virtual std::shared_ptr<irr::AI::AIWorld> createWorld();

private:
    void fillPlayerColors();
    void sendStats() const;
    void detectDashHits();
    void updateListener();
    void drawScoreBar(const irr::core::dimension2du& screen);
    // Returns the whole seconds left.
    int drawClock(const irr::core::dimension2du& screen);
    void announceTheEnd(int secondsLeft);
    void returnToMenu();

    // The new target radius of each camp, by registry index, rebuilt every frame; infinity for a camp
    // that touches no other.
    std::vector<float> borderTargets;
    bool campModelMissing = false;
};
