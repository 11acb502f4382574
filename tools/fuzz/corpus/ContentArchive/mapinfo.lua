-- a comment
local v = "v2"
local mapinfo = {
	name = "Tango",
	version = v,
	teams = {[0] = {startPos = {x = 1, z = -2}}},
}
local function lowerkeys(t) return t end
mapinfo["description"] = 'Da\tta' .. 5
return lowerkeys(mapinfo)
