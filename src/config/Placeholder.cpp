// placeholder until the config unit lands
