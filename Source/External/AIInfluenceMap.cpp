#include "External/AIInfluenceMap.h"

#include "External/AIWalkableSurface.h"
#include "GameEngine/Console.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <sstream>

namespace irr::AI
{
namespace
{
constexpr float diagonalTiles = 1.41421356f;

float clampedSetting(const char* name, float value)
{
    const float clamped = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
    if (clamped != value)
    {
        std::ostringstream text;
        text << "Influence " << name << " " << value << " lies outside 0 to 1; using " << clamped;
        Console::warning(text.str());
    }
    return clamped;
}
}  // namespace

const AIInfluenceMap::Step AIInfluenceMap::steps[8] = {{1, 0, false},  {-1, 0, false}, {0, 1, false},
                                                       {0, -1, false}, {1, 1, true},   {1, -1, true},
                                                       {-1, 1, true},  {-1, -1, true}};

AIInfluenceMapInit AIInfluenceMap::createMapFromMesh(scene::IMesh* mesh, int widthInTiles, int heightInTiles)
{
    AIInfluenceMapInit init;
    if (!mesh)
    {
        Console::warning("Influence map made without a mesh; it stays empty");
        return init;
    }
    if (widthInTiles < 1 || heightInTiles < 1 || widthInTiles > largestTilesPerSide ||
        heightInTiles > largestTilesPerSide)
    {
        Console::warning("Influence map of " + std::to_string(widthInTiles) + " by " +
                         std::to_string(heightInTiles) + " tiles is not possible (1 to " +
                         std::to_string(largestTilesPerSide) + " each way); it stays empty");
        return init;
    }
    const AIWalkableSurface surface = AIWalkableSurface::fromMesh(mesh);
    if (surface.isEmpty())
    {
        Console::warning("Influence map mesh has no walkable triangles; the map stays empty");
        return init;
    }
    const core::aabbox3df& box = surface.getBoundingBox();
    init.extent = core::rectf(box.MinEdge.X, box.MinEdge.Z, box.MaxEdge.X, box.MaxEdge.Z);
    init.widthInTiles = widthInTiles;
    init.heightInTiles = heightInTiles;
    init.walkableTiles.assign(
        static_cast<std::size_t>(widthInTiles) * static_cast<std::size_t>(heightInTiles), false);
    for (const core::triangle3df& triangle : surface.getTriangles())
        init.markWalkableTilesUnder(triangle);
    return init;
}

AIInfluenceMap::AIInfluenceMap(const AIInfluenceMapInit& init)
    : grid(init.isConsistent() ? init : AIInfluenceMapInit{}), values(grid.walkableTiles.size(), 0.0f),
      nextValues(values.size(), 0.0f)
{
    if (!init.isConsistent() && !init.isEmpty())
        Console::warning("Influence map record does not add up (" + std::to_string(init.widthInTiles) +
                         " by " + std::to_string(init.heightInTiles) + " tiles, " +
                         std::to_string(init.getTileCount()) + " given); the map stays empty");
    setInfluenceSettings(defaultDecay, defaultMomentum, defaultConfinedToFloor);
}

bool AIInfluenceMap::isOnGrid(int column, int row) const
{
    return column >= 0 && row >= 0 && column < grid.widthInTiles && row < grid.heightInTiles;
}

bool AIInfluenceMap::isOnFloor(int column, int row) const
{
    return isOnGrid(column, row) && grid.walkableTiles[static_cast<std::size_t>(grid.tileIndex(column, row))];
}

bool AIInfluenceMap::cutsCorner(int column, int row, const Step& step) const
{
    return step.diagonal && !(isOnFloor(column + step.columns, row) && isOnFloor(column, row + step.rows));
}

float AIInfluenceMap::stepLength(const Step& step) const
{
    const core::vector2df size = grid.tileSize();
    return std::hypot(static_cast<float>(step.columns) * size.X, static_cast<float>(step.rows) * size.Y);
}

void AIInfluenceMap::fillWithDistances()
{
    // Dijkstra over the floor tiles, started from every floor tile next to an edge of the floor.
    const float unreached = std::numeric_limits<float>::infinity();
    std::vector<float> distances(values.size(), 0.0f);
    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    for (int row = 0; row < grid.heightInTiles; ++row)
    {
        for (int column = 0; column < grid.widthInTiles; ++column)
        {
            if (!isOnFloor(column, row))
                continue;
            const int index = grid.tileIndex(column, row);
            distances[index] = unreached;
            for (const Step& step : steps)
            {
                if (!isOnFloor(column + step.columns, row + step.rows))
                    distances[index] = std::min(distances[index], stepLength(step));
            }
            if (distances[index] < unreached)
                open.emplace(distances[index], index);
        }
    }
    while (!open.empty())
    {
        const auto [distance, index] = open.top();
        open.pop();
        if (distance > distances[index])
            continue;
        const int column = index % grid.widthInTiles;
        const int row = index / grid.widthInTiles;
        for (const Step& step : steps)
        {
            const int next = grid.tileIndex(column + step.columns, row + step.rows);
            if (!isOnFloor(column + step.columns, row + step.rows) || cutsCorner(column, row, step) ||
                distance + stepLength(step) >= distances[next])
                continue;
            distances[next] = distance + stepLength(step);
            open.emplace(distances[next], next);
        }
    }
    const float largest = distances.empty() ? 0.0f : *std::max_element(distances.begin(), distances.end());
    for (std::size_t index = 0; index < values.size(); ++index)
        values[index] = largest > 0.0f ? distances[index] / largest : 0.0f;
}

void AIInfluenceMap::setInfluenceSettings(float newDecay, float newMomentum, bool flag)
{
    decay = clampedSetting("decay", newDecay);
    momentum = clampedSetting("momentum", newMomentum);
    confinedToFloor = flag;
    linkArrivals();
}

void AIInfluenceMap::linkArrivals()
{
    const float shares[2] = {decay, std::pow(decay, diagonalTiles)};  // straight, diagonal
    arrivals.clear();
    firstArrival.assign(1, 0);
    for (int row = 0; row < grid.heightInTiles; ++row)
    {
        for (int column = 0; column < grid.widthInTiles; ++column)
        {
            for (const Step& step : steps)
            {
                const int fromColumn = column + step.columns;
                const int fromRow = row + step.rows;
                const bool blocked =
                    confinedToFloor && (!isOnFloor(column, row) || cutsCorner(column, row, step));
                if (isOnGrid(fromColumn, fromRow) && !blocked)
                    arrivals.push_back({grid.tileIndex(fromColumn, fromRow), shares[step.diagonal]});
            }
            firstArrival.push_back(static_cast<int>(arrivals.size()));
        }
    }
}

void AIInfluenceMap::propagate()
{
    for (std::size_t tile = 0; tile < values.size(); ++tile)
    {
        float strongest = momentum * values[tile];
        for (int arrival = firstArrival[tile]; arrival < firstArrival[tile + 1]; ++arrival)
            strongest = std::max(strongest, values[arrivals[arrival].fromTile] * arrivals[arrival].share);
        const float faded = decay * strongest;
        nextValues[tile] = std::fabs(faded) < smallestInfluence ? 0.0f : faded;
    }
    values.swap(nextValues);
}

void AIInfluenceMap::setInfluence(float value, core::vector3df* position, bool accumulate)
{
    // An empty map said so when it was made; stamping it is expected to do nothing.
    if (values.empty())
        return;
    const int index = position ? getTileIndexAt(*position) : -1;
    if (index < 0 || !std::isfinite(value))
    {
        std::ostringstream text;
        text << "Influence stamp ";
        if (position)
            text << value << " at (" << position->X << ", " << position->Z << ")";
        else
            text << "without a position";
        text << " is not on the map; stamps like it are ignored";
        stampOutside.warn(text.str());
        return;
    }
    values[index] = accumulate ? values[index] + value : value;
}

int AIInfluenceMap::getDataSize() const
{
    return static_cast<int>(values.size());
}

float AIInfluenceMap::getInfluenceAtIndex(int index) const
{
    if (index < 0 || index >= getDataSize())
    {
        readOutside.warn("Influence tile " + std::to_string(index) + " is not on the map of " +
                         std::to_string(getDataSize()) + " tiles; tiles outside read 0");
        return 0.0f;
    }
    return values[index];
}

float AIInfluenceMap::getWidthInTiles() const
{
    return static_cast<float>(grid.widthInTiles);
}

float AIInfluenceMap::getHeightInTiles() const
{
    return static_cast<float>(grid.heightInTiles);
}

int AIInfluenceMap::getTileIndexAt(const core::vector3df& position) const
{
    return grid.tileIndexAt(position.X, position.Z);
}
}  // namespace irr::AI
