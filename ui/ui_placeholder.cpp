// The Qt layer of Corvane.
