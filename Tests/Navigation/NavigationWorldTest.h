#pragma once

#include "External/AIWorld.h"
#include "RecordingReceiver.h"
#include "Support/HeadlessGame.h"
#include "TemporaryObjDirectory.h"

#include <gtest/gtest.h>

// A world on the headless engine's scene manager, with its floors loaded from OBJ files the way the
// match loads the arena's.
class NavigationWorldTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // Writes the floor to a file and hands it to the world; returns what setNavigationMesh said.
    bool loadFloor(const Triangles& floor, const std::string& name = "floor.obj");
    bool loadFile(const std::string& path);
    irr::scene::ISceneManager* sceneManager() { return game.device()->getSceneManager(); }
    irr::AI::AINavigationMesh& mesh();
    // Every straight leg from the start through the delivered corners stays on the floor.
    void expectLegsOnTheFloor(const irr::core::vector3df& start,
                              const std::vector<RecordingReceiver::Update>& updates);

    HeadlessGame game;
    TemporaryObjDirectory files;
    irr::AI::AIWorld world;
};
