"""Tournaments between parameter sets of Quillmarch's orcs, played by the match runner on a Dask cluster."""
