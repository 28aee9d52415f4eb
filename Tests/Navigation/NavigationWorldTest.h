#pragma once

#include "External/AIWorld.h"
#include "External/IAIUnitUpdateReceiver.h"
#include "FloorMeshes.h"
#include "Support/HeadlessGame.h"

#include <filesystem>
#include <gtest/gtest.h>

// A world on the headless engine's scene manager, with its floors loaded from OBJ files the way the
// match loads the arena's.
class NavigationWorldTest : public ::testing::Test
{
protected:
    // Keeps every corner a navigating unit hands over, in order.
    struct Corners : irr::AI::IAIUnitUpdateReceiver
    {
        struct Update
        {
            irr::core::vector3df point;
            bool reachedEnd;
        };
        void onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd) override
        {
            updates.push_back({point->getPosition(), reachedEnd});
        }
        std::vector<Update> updates;
    };

    void SetUp() override;
    void TearDown() override;

    // Writes the floor to a new OBJ file and hands it to the world; returns what setNavigationMesh said.
    bool loadFloor(const Triangles& floor);
    bool loadFile(const std::string& path);
    // A file of the test's own, removed at its end.
    std::string writeFile(const std::string& name, const std::string& text);
    irr::scene::ISceneManager* sceneManager() { return game.device()->getSceneManager(); }
    irr::AI::AINavigationMesh& mesh();
    // Every straight leg from the start through the delivered corners stays on the floor.
    void expectLegsOnTheFloor(const irr::core::vector3df& start, const std::vector<Corners::Update>& updates);

    HeadlessGame game;
    irr::AI::AIWorld world;

private:
    std::filesystem::path directory;
    int floors = 0;
};
