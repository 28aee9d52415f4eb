#pragma once

#include "External/AIWorld.h"
#include "External/IAIUnitUpdateReceiver.h"
#include "Support/HeadlessGame.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Small floors in game coordinates (y up), built from rectangles that meet edge to edge.
using Triangles = std::vector<irr::core::triangle3df>;
// Two triangles covering x0..x1 by z0..z1 at height 0.
Triangles floorRectangle(float x0, float z0, float x1, float z1);
Triangles joined(std::initializer_list<Triangles> parts);
// A 20 by 20 floor (x and z -10..10) with a 4 by 4 hole in the middle (an obstacle).
Triangles floorWithHole();
// The triangles as an Irrlicht mesh of one buffer with 32-bit indices, as a large mesh needs (the
// navigation reads both kinds); dropped with the pointer.
using MeshPointer = std::unique_ptr<irr::scene::IMesh, void (*)(irr::scene::IMesh*)>;
MeshPointer meshOf(const Triangles& triangles);

// A world on the headless engine's scene manager.
class NavigationWorldTest : public testing::Test
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
        void onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd) override;
        std::vector<Update> updates;
    };

    void SetUp() override;
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }

    bool loadFloor(const Triangles& floor) { return world.setNavigationMesh(meshOf(floor).get(), "floor"); }
    // Loads an OBJ file the way the match loads the arena's.
    bool loadFile(const std::string& path)
    {
        return world.setNavigationMesh(path.c_str(), game.device()->getSceneManager(),
                                       game.device()->getVideoDriver());
    }
    // A file of the test's own, removed at its end.
    std::string writeFile(const std::string& name, const std::string& text);
    irr::AI::AINavigationMesh& mesh();

    HeadlessGame game;
    irr::AI::AIWorld world;

private:
    std::filesystem::path directory;
};
